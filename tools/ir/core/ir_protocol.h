#pragma once

#include <QString>

#include <vector>

// The remote-control protocols the reader decodes and the encoder writes, by the Linux kernel's
// own names for them.
enum class IrProtocol { kUnknown, kNec, kNecx, kNec32, kRc5, kRc6Mode0, kSony12, kSony15, kSony20 };

// The protocols' time units in microseconds, as the encoder sends them and the decoder expects
// them: NEC's, half an RC5 bit, RC6's and Sony's.
inline constexpr double kNecUnit = 562.5;
inline constexpr qint32 kRc5Half = 889;
inline constexpr qint32 kRc6Unit = 444;
inline constexpr qint32 kSonyUnit = 600;

// Every protocol but kUnknown, in the order the command line lists them.
const std::vector<IrProtocol>& known_protocols();

// The kernel's name ("nec", "necx", "nec32", "rc5", "rc6_0", "sony12", ...), which the command
// line takes and ir-keytable's keymaps write as the variant; "unknown" for kUnknown.
QString protocol_key(IrProtocol protocol);
// As the frame table shows it: "NEC", "NEC 扩展", "RC6-0", "Sony12", "未知".
QString protocol_caption(IrProtocol protocol);
// The protocol family of an ir-keytable keymap: "nec", "rc-5", "rc-6" or "sony".
QString keymap_protocol(IrProtocol protocol);

// The largest scancode the protocol forms; a bigger one is not one of its codes.
quint32 scancode_mask(IrProtocol protocol);
