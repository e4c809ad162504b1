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
    const struct {
        ExportFormat format;
        QStringList lines;
    } rows[] = {
        {ExportFormat::kCDefine,
         {u"/* 红外遥控按键码，由 Brevik 红外读码器导出 */"_s,
          u"#define KEY_POWER    0x45 /* NEC 地址 0x00 扫描码 0x0045 */"_s,
          u"#define KEY_VOLUMEUP 0x35 /* RC5 地址 0x05 扫描码 0x0535 */"_s,
          u"#define KEY_OK       0xAB /* NEC 扩展 地址 0x1234 扫描码 0x1234AB */"_s}},
        {ExportFormat::kCEnum,
         {u"/* 红外遥控按键码，由 Brevik 红外读码器导出 */"_s, u"enum ir_key {"_s,
          u"    KEY_POWER    = 0x45, /* NEC 地址 0x00 扫描码 0x0045 */"_s,
          u"    KEY_VOLUMEUP = 0x35, /* RC5 地址 0x05 扫描码 0x0535 */"_s,
          u"    KEY_OK       = 0xAB, /* NEC 扩展 地址 0x1234 扫描码 0x1234AB */"_s, u"};"_s}},
        {ExportFormat::kA51,
         {u"; 红外遥控按键码，由 Brevik 红外读码器导出"_s,
          u"KEY_POWER    EQU 45H ; NEC 地址 00H 扫描码 0045H"_s,
          u"KEY_VOLUMEUP EQU 35H ; RC5 地址 05H 扫描码 0535H"_s,
          u"KEY_OK       EQU 0ABH ; NEC 扩展 地址 1234H 扫描码 1234ABH"_s}},
        {ExportFormat::kPic,
         {u"; 红外遥控按键码，由 Brevik 红外读码器导出"_s,
          u"KEY_POWER    EQU 0x45 ; NEC 地址 0x00 扫描码 0x0045"_s,
          u"KEY_VOLUMEUP EQU 0x35 ; RC5 地址 0x05 扫描码 0x0535"_s,
          u"KEY_OK       EQU 0xAB ; NEC 扩展 地址 0x1234 扫描码 0x1234AB"_s}},
        {ExportFormat::kCsv,
         {u"键名,协议,地址,命令,扫描码,翻转"_s, u"KEY_POWER,nec,0x00,0x45,0x0045,"_s,
          u"KEY_VOLUMEUP,rc5,0x05,0x35,0x0535,1"_s, u"KEY_OK,necx,0x1234,0xAB,0x1234AB,"_s}},
        {ExportFormat::kKeymap,
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

TEST(KeyExport, RefusesNamesTheFormCannotHoldAndKeysWithoutACode) {
    IrKeyRow unknown = key(IrProtocol::kUnknown, 0, 0, 0, u"KEY_X"_s);
    IrKeyRow repeat = key(IrProtocol::kNec, 0, 0, 0, u"KEY_Y"_s);
    repeat.frame.repeat = true;
    const struct {
        const char* name;
        std::vector<IrKeyRow> keys;
        ExportFormat format;
        QString error;  // empty: written
    } rows[] = {
        {"nothing named",
         {key(IrProtocol::kNec, 0, 1, 1, u" "_s)},
         ExportFormat::kCsv,
         u"还没有起名的按键：请先在“键名”一栏填写按键的名称，再导出。"_s},
        {"no code",
         {kKeys[0], unknown, repeat},
         ExportFormat::kCsv,
         u"这些按键没有扫描码（未知协议或单独的重复帧），无法导出：第 2 行 KEY_X、第 3 行 KEY_Y。"
         "请清空它们的键名。"_s},
        {"chinese name in C",
         {key(IrProtocol::kNec, 0, 1, 1, u"音量加"_s)},
         ExportFormat::kCDefine,
         u"这些键名不能用作标识符：音量加。请只用字母、数字和下划线，且不以数字开头（如 KEY_POWER）。"_s},
        {"digit first in A51",
         {key(IrProtocol::kNec, 0, 1, 1, u"1KEY"_s)},
         ExportFormat::kA51,
         u"这些键名不能用作标识符：1KEY。请只用字母、数字和下划线，且不以数字开头（如 KEY_POWER）。"_s},
        {"twice in PIC",
         {key(IrProtocol::kNec, 0, 1, 1, u"UP"_s), key(IrProtocol::kNec, 0, 2, 2, u"UP"_s)},
         ExportFormat::kPic,
         u"这些键名用了不止一次：UP。每个键名只能用一次。"_s},
        {"chinese name in CSV",
         {key(IrProtocol::kNec, 0, 1, 1, u"音量加,大"_s)},
         ExportFormat::kCsv,
         {}},
        {"not a Linux key name",
         {key(IrProtocol::kNec, 0, 1, 1, u"音量加"_s), key(IrProtocol::kNec, 0, 2, 2, u"key_up"_s)},
         ExportFormat::kKeymap,
         u"ir-keytable 键表只认 Linux 的键名（KEY_ 或 BTN_ 开头的大写名称，如 KEY_POWER、"
         "KEY_VOLUMEUP），这些键名不是：音量加、key_up。"_s},
        {"one scancode two names",
         {key(IrProtocol::kNec, 0, 1, 1, u"KEY_A"_s), key(IrProtocol::kNec, 0, 1, 1, u"KEY_B"_s)},
         ExportFormat::kKeymap,
         u"同一个扫描码起了两个键名：nec 0x1（KEY_A 和 KEY_B）。请只保留一个。"_s},
        {"one key pressed twice",
         {key(IrProtocol::kNec, 0, 1, 1, u"KEY_A"_s), key(IrProtocol::kNec, 0, 1, 1, u"KEY_A"_s)},
         ExportFormat::kKeymap,
         {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const KeyExport result = export_keys(row.keys, row.format);
        EXPECT_EQ(result.error, row.error);
        EXPECT_EQ(result.text.isEmpty(), !row.error.isEmpty());
    }
    EXPECT_EQ(
        export_keys({key(IrProtocol::kNec, 0, 1, 1, u"音量加,大"_s)}, ExportFormat::kCsv).text,
        u"键名,协议,地址,命令,扫描码,翻转\r\n\"音量加,大\",nec,0x00,0x01,0x0001,"_s);
}

}  // namespace
