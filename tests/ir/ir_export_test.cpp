#include "tests/support/qt_printers.h"
#include "tools/ir/core/key_export.h"

#include <QStringList>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

IrKeyRow key(IrProtocol protocol, quint32 address, quint32 command, quint32 code,
             const QString& name, int toggle = -1) {
    IrKeyRow row;
    std::tie(row.frame.protocol, row.frame.address, row.frame.command, row.frame.scancode,
             row.frame.toggle, row.key_name) =
        std::tie(protocol, address, command, code, toggle, name);
    return row;
}

const std::vector<IrKeyRow> kKeys = {
    key(IrProtocol::kNec, 0x00, 0x45, 0x0045, u"KEY_POWER"_s),
    key(IrProtocol::kNec, 0x00, 0x46, 0x0046, u""_s),  // not named: not exported
    key(IrProtocol::kRc5, 0x05, 0x35, 0x0535, u" KEY_VOLUMEUP "_s, 1),
    key(IrProtocol::kNecx, 0x1234, 0xab, 0x1234ab, u"KEY_OK"_s),
};

// Lines worked out by hand: the named keys in the order of the table, names padded to the
// longest, the command as the value and the rest in a comment; a keymap has a table per protocol.
TEST(KeyExport, WritesTheNamedKeysInEachForm) {
    using enum ExportFormat;
    // The format, its count of lines, a line's index and its text.
    const std::tuple<ExportFormat, int, int, QString> rows[] = {
        {kCDefine, 4, 0, u"/* 红外遥控按键码，由 Brevik 红外读码器导出 */"_s},
        {kCDefine, 4, 3, u"#define KEY_OK       0xAB /* NEC 扩展 地址 0x1234 扫描码 0x1234AB */"_s},
        {kCEnum, 6, 1, u"enum ir_key {"_s},
        {kCEnum, 6, 2, u"    KEY_POWER    = 0x45, /* NEC 地址 0x00 扫描码 0x0045 */"_s},
        {kCEnum, 6, 5, u"};"_s},
        {kA51, 4, 0, u"; 红外遥控按键码，由 Brevik 红外读码器导出"_s},
        {kA51, 4, 1, u"KEY_POWER    EQU 45H ; NEC 地址 00H 扫描码 0045H"_s},
        {kA51, 4, 3, u"KEY_OK       EQU 0ABH ; NEC 扩展 地址 1234H 扫描码 1234ABH"_s},
        {kPic, 4, 2, u"KEY_VOLUMEUP EQU 0x35 ; RC5 地址 0x05 扫描码 0x0535"_s},
        {kCsv, 4, 0, u"键名,协议,地址,命令,扫描码,翻转"_s},
        {kCsv, 4, 2, u"KEY_VOLUMEUP,rc5,0x05,0x35,0x0535,1"_s},
        {kCsv, 4, 3, u"KEY_OK,necx,0x1234,0xAB,0x1234AB,"_s},
        {kKeymap, 18, 0, u"[[protocols]]"_s},
        {kKeymap, 18, 1, u"name = \"brevik\""_s},
        {kKeymap, 18, 2, u"protocol = \"nec\""_s},
        {kKeymap, 18, 8, u"protocol = \"rc-5\""_s},
        {kKeymap, 18, 9, u"variant = \"rc5\""_s},
        {kKeymap, 18, 10, u"[protocols.scancodes]"_s},
        {kKeymap, 18, 11, u"0x535 = \"KEY_VOLUMEUP\""_s},
        {kKeymap, 18, 15, u"variant = \"necx\""_s},
    };
    for (const auto& [format, count, line, text] : rows) {
        SCOPED_TRACE(text.toStdString());
        const KeyExport result = export_keys(kKeys, format);
        EXPECT_EQ(result.error, QString());
        EXPECT_EQ(result.text.split(u"\r\n"_s).size(), count);
        EXPECT_EQ(result.text.split(u"\r\n"_s).value(line), text);
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
    // The keys, the format, what the message says of these keys (empty: written).
    const std::tuple<std::vector<IrKeyRow>, ExportFormat, QString> rows[] = {
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
    for (const auto& [keys, format, error] : rows) {
        SCOPED_TRACE(error.toStdString());
        const KeyExport result = export_keys(keys, format);
        EXPECT_TRUE(result.error.contains(error)) << result.error.toStdString();
        EXPECT_EQ(result.error.isEmpty(), error.isEmpty());
        EXPECT_EQ(result.text.isEmpty(), !error.isEmpty());
    }
    EXPECT_EQ(export_keys({nec(u"音量加,大"_s)}, kCsv).text,
              u"键名,协议,地址,命令,扫描码,翻转\r\n\"音量加,大\",nec,0x00,0x01,0x0001,"_s);
}

}  // namespace
