#include "tests/support/qt_printers.h"
#include "tools/ir/core/key_export.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

IrKeyRow key(IrProtocol protocol, quint32 address, quint32 command, quint32 scancode,
             const QString& name, int toggle = -1) {
    IrKeyRow row;
    row.frame.protocol = protocol;
    row.frame.address = address;
    row.frame.command = command;
    row.frame.scancode = scancode;
    row.frame.toggle = toggle;
    row.key_name = name;
    return row;
}

const std::vector<IrKeyRow> kKeys = {
    key(IrProtocol::kNec, 0x00, 0x45, 0x0045, u"KEY_POWER"_s),
    key(IrProtocol::kNec, 0x00, 0x46, 0x0046, u""_s),  // not named: not exported
    key(IrProtocol::kRc5, 0x05, 0x35, 0x0535, u" KEY_VOLUMEUP "_s, 1),
    key(IrProtocol::kNecx, 0x1234, 0xab, 0x1234ab, u"KEY_OK"_s),
};

TEST(KeyExport, WritesTheNamedKeysInEachForm) {
    using enum ExportFormat;
    const struct {
        ExportFormat format;
        QStringList lines;
    } rows[] = {
        {kCDefine,
         {u"/* 红外遥控按键码，由 Brevik 红外读码器导出 */"_s,
          u"#define KEY_POWER    0x45 /* NEC 地址 0x00 扫描码 0x0045 */"_s,
          u"#define KEY_VOLUMEUP 0x35 /* RC5 地址 0x05 扫描码 0x0535 */"_s,
          u"#define KEY_OK       0xAB /* NEC 扩展 地址 0x1234 扫描码 0x1234AB */"_s}},
        {kCEnum,
         {u"/* 红外遥控按键码，由 Brevik 红外读码器导出 */"_s, u"enum ir_key {"_s,
          u"    KEY_POWER    = 0x45, /* NEC 地址 0x00 扫描码 0x0045 */"_s,
          u"    KEY_VOLUMEUP = 0x35, /* RC5 地址 0x05 扫描码 0x0535 */"_s,
          u"    KEY_OK       = 0xAB, /* NEC 扩展 地址 0x1234 扫描码 0x1234AB */"_s, u"};"_s}},
        {kA51,
         {u"; 红外遥控按键码，由 Brevik 红外读码器导出"_s,
          u"KEY_POWER    EQU 45H ; NEC 地址 00H 扫描码 0045H"_s,
          u"KEY_VOLUMEUP EQU 35H ; RC5 地址 05H 扫描码 0535H"_s,
          u"KEY_OK       EQU 0ABH ; NEC 扩展 地址 1234H 扫描码 1234ABH"_s}},
        {kPic,
         {u"; 红外遥控按键码，由 Brevik 红外读码器导出"_s,
          u"KEY_POWER    EQU 0x45 ; NEC 地址 0x00 扫描码 0x0045"_s,
          u"KEY_VOLUMEUP EQU 0x35 ; RC5 地址 0x05 扫描码 0x0535"_s,
          u"KEY_OK       EQU 0xAB ; NEC 扩展 地址 0x1234 扫描码 0x1234AB"_s}},
        {kCsv,
         {u"键名,协议,地址,命令,扫描码,翻转"_s, u"KEY_POWER,nec,0x00,0x45,0x0045,"_s,
          u"KEY_VOLUMEUP,rc5,0x05,0x35,0x0535,1"_s, u"KEY_OK,necx,0x1234,0xAB,0x1234AB,"_s}},
        {kKeymap,
         {u"[[protocols]]"_s, u"name = \"brevik\""_s, u"protocol = \"nec\""_s,
          u"variant = \"nec\""_s, u"[protocols.scancodes]"_s, u"0x45 = \"KEY_POWER\""_s,
          u"[[protocols]]"_s, u"name = \"brevik\""_s, u"protocol = \"rc-5\""_s,
          u"variant = \"rc5\""_s, u"[protocols.scancodes]"_s, u"0x535 = \"KEY_VOLUMEUP\""_s,
          u"[[protocols]]"_s, u"name = \"brevik\""_s, u"protocol = \"nec\""_s,
          u"variant = \"necx\""_s, u"[protocols.scancodes]"_s, u"0x1234ab = \"KEY_OK\""_s}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(export_key(row.format).toStdString());
        const KeyExport result = export_keys(kKeys, row.format);
        EXPECT_EQ(result.error, QString());
        EXPECT_EQ(result.text, row.lines.join(u"\r\n"));
    }
}

// Each refusal names what the user must change; a name any form can hold is written.
TEST(KeyExport, RefusesNamesTheFormCannotHoldAndKeysWithoutACode) {
    using enum ExportFormat;
    const auto nec = [](const QString& name, quint32 command = 1) {
        return key(IrProtocol::kNec, 0, command, command, name);
    };
    IrKeyRow repeat = nec(u"KEY_Y"_s, 0);
    repeat.frame.repeat = true;
    const struct {
        std::vector<IrKeyRow> keys;
        ExportFormat format;
        QString error;  // what the message says of these keys; empty: written
    } rows[] = {
        {{nec(u" "_s)}, kCsv, u"还没有起名的按键"_s},
        {{kKeys[0], key(IrProtocol::kUnknown, 0, 0, 0, u"KEY_X"_s), repeat},
         kCsv,
         u"没有扫描码（未知协议或单独的重复帧），无法导出：第 2 行 KEY_X、第 3 行 KEY_Y。"_s},
        {{nec(u"音量加"_s)}, kCDefine, u"不能用作标识符：音量加。"_s},
        {{nec(u"1KEY"_s)}, kA51, u"不能用作标识符：1KEY。"_s},
        {{nec(u"UP"_s), nec(u"UP"_s, 2)}, kPic, u"用了不止一次：UP。"_s},
        {{nec(u"音量加,大"_s)}, kCsv, {}},
        {{nec(u"音量加"_s), nec(u"key_up"_s, 2)}, kKeymap, u"不是：音量加、key_up。"_s},
        {{nec(u"KEY_A"_s), nec(u"KEY_B"_s)}, kKeymap, u"两个键名：nec 0x1（KEY_A 和 KEY_B）"_s},
        {{nec(u"KEY_A"_s), nec(u"KEY_A"_s)}, kKeymap, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.error.toStdString());
        const KeyExport result = export_keys(row.keys, row.format);
        EXPECT_TRUE(result.error.contains(row.error)) << result.error.toStdString();
        EXPECT_EQ(result.error.isEmpty(), row.error.isEmpty());
        EXPECT_EQ(result.text.isEmpty(), !row.error.isEmpty());
    }
    EXPECT_EQ(export_keys({nec(u"音量加,大"_s)}, kCsv).text,
              u"键名,协议,地址,命令,扫描码,翻转\r\n\"音量加,大\",nec,0x00,0x01,0x0001,"_s);
}

}  // namespace
