#pragma once

#include "ir_key_table.h"

#include <QString>

#include <vector>

// The forms 导出 writes the named keys in.
enum class ExportFormat { kCDefine, kCEnum, kA51, kPic, kCsv, kKeymap };

// Every format, in the order the window lists them.
const std::vector<ExportFormat>& export_formats();
// As the window lists it: "C 头文件（#define）", "ir-keytable 键表（TOML）" ...
QString export_caption(ExportFormat format);
// The name the settings keep ("c_define", "keymap" ...) and the format it names.
QString export_key(ExportFormat format);
std::optional<ExportFormat> export_from_key(const QString& key);
// The save dialog's filter and the extension added to a name typed without one.
QString export_filter(ExportFormat format);
QString export_extension(ExportFormat format);

struct KeyExport {
    QString text;   // lines joined by CR LF, without the last line end
    QString error;  // why nothing could be written, naming the keys at fault
};

// The rows that have a key name, in the table's order, as `format`. The C and assembler forms
// give each key its command (the address and scancode in a comment) and need names that are
// identifiers, each once; the keymap maps each protocol's scancodes to the Linux key names
// (KEY_... or BTN_...) it loads. A named row with no code (未知, or a repeat alone) is refused.
KeyExport export_keys(const std::vector<IrKeyRow>& rows, ExportFormat format);

// Hexadecimal as the table shows it: "0x" and at least `digits` capital digits.
QString hex_value(quint32 value, int digits);
// The digits the table gives the protocol's address and scancode.
int address_digits(IrProtocol protocol);
int scancode_digits(IrProtocol protocol);
