#include "ir_command.h"

#include "base/text_file.h"
#include "shell/cli/command_options.h"
#include "tools/ir/core/ir_encoder.h"
#include "tools/ir/core/ir_frame_splitter.h"
#include "tools/ir/core/key_export.h"
#include "tools/ir/core/timing_file.h"

#include <QStringList>

using namespace Qt::StringLiterals;

namespace {

QString protocol_list() {
    QStringList keys;
    for (const IrProtocol protocol : known_protocols()) {
        keys << protocol_key(protocol);
    }
    return keys.join(u'|');
}

QString hex(quint32 value, int digits) {
    return hex_value(value, digits).toLower();
}

// "nec address=0x00 command=0x45 scancode=0x0045", as decode prints a key.
QString key_fields(const IrFrame& frame) {
    return u"%1 address=%2 command=%3 scancode=%4"_s.arg(
        protocol_key(frame.protocol), hex(frame.address, address_digits(frame.protocol)),
        hex(frame.command, 2), hex(frame.scancode, scancode_digits(frame.protocol)));
}

CommandOutput decode(const CommandOptions& options) {
    const QString path = options.required(u"FILE"_s, u"the path of a recorded file"_s);
    QString text;
    if (const auto error = read_text_file(path, text)) {
        cannot_read(path, error->reason);
    }
    const TimingFile file = parse_timing_text(text);
    if (file.error) {
        refuse(u"%1: line %2 is not a pulse or space: %3"_s.arg(path)
                   .arg(file.error->line)
                   .arg(file.error->text));
    }
    IrFrameSplitter splitter;
    splitter.add(file.samples);
    splitter.finish();
    QStringList lines;
    const IrFrame* last_nec = nullptr;
    const std::vector<IrFrame> frames = splitter.take_frames();
    for (const IrFrame& frame : frames) {
        if (frame.protocol == IrProtocol::kUnknown) {
            lines << u"unknown pulses=%1 %2"_s.arg(frame.pulses).arg(timings_text(frame.timings));
        } else if (frame.repeat) {
            // A repeat frame carries no code: it repeats the NEC key before it, if any.
            lines << (last_nec ? key_fields(*last_nec) + u" repeat"_s : u"nec repeat"_s);
        } else {
            QString line = key_fields(frame);
            if (frame.toggle >= 0) {
                line += u" toggle=%1"_s.arg(frame.toggle);
            }
            lines << line;
            const bool nec = frame.protocol == IrProtocol::kNec ||
                             frame.protocol == IrProtocol::kNecx ||
                             frame.protocol == IrProtocol::kNec32;
            last_nec = nec ? &frame : nullptr;
        }
    }
    CommandOutput output{lines.join(u"\r\n"), {}};
    if (frames.empty()) {
        output.notes = u"no frame in %1"_s.arg(path);
    }
    return output;
}

CommandOutput encode(const CommandOptions& options) {
    QStringList keys;
    for (const IrProtocol protocol : known_protocols()) {
        keys << protocol_key(protocol);
    }
    const IrProtocol protocol =
        known_protocols()[static_cast<std::size_t>(options.choice(u"--protocol"_s, keys))];
    const QString valid = u"a number of up to 32 bits, hexadecimal with 0x (0x45) or decimal"_s;
    const QString given = options.required(u"--scancode"_s, valid);
    bool ok = false;
    const quint32 scancode = given.startsWith(u"0x", Qt::CaseInsensitive)
                                 ? given.sliced(2).toUInt(&ok, 16)
                                 : given.toUInt(&ok, 10);
    if (!ok) {
        refuse_value(u"--scancode"_s, given, valid);
    }
    if (const auto error = scancode_error(protocol, scancode)) {
        refuse(u"--scancode: "_s + *error);
    }
    const int toggle = options.choice(u"--toggle"_s, {u"0"_s, u"1"_s}, 0);
    return {timings_text(encode_frame(protocol, scancode, toggle)), {}};
}

}  // namespace

Command ir_decode_command() {
    return {
        .name = u"ir decode"_s,
        .synopsis = u"FILE [-o FILE]"_s,
        .summary = u"the infrared frames of a recorded file, one line each"_s,
        .description =
            u"Decodes a recorded file of infrared timings as the 红外读码器 window does and "
            "prints one\nline per frame. The file holds \"pulse 9000\" / \"space 4500\" / "
            "\"timeout 125000\" lines\n(as mode2 writes them) or signed lengths \"+9000 -4500 "
            "...\" (as ir-ctl writes them), in\nmicroseconds; blank lines and # comments are "
            "allowed. A line is\n  PROTOCOL address=0x.. command=0x.. scancode=0x....\nwith the "
            "kernel's protocol name (nec, necx, nec32, rc5, rc6_0, sony12, sony15, sony20)\nand "
            "scancode, then \" toggle=N\" for rc5 and rc6_0, or \" repeat\" for a NEC repeat "
            "frame\n(which prints the key it repeats, or \"nec repeat\" alone). A frame no "
            "protocol fits is\n  unknown pulses=N +9000 -4500 ...\nwith its timings as "
            "received. A file that cannot be read exits with 1, a line that is\nno timing "
            "with 2 and its number."_s,
        .options = {{u"FILE"_s, {}, u"the recorded file"_s}},
        .examples = {u"brevik ir decode remote.txt"_s,
                     u"brevik ir decode docs/examples/ir-remote.txt -o keys.txt"_s},
        .run = decode,
        .line_feeds = true,
    };
}

Command ir_encode_command() {
    return {
        .name = u"ir encode"_s,
        .synopsis = u"--protocol %1 --scancode 0x... [--toggle 0|1]"_s.arg(protocol_list()),
        .summary = u"one infrared frame's timings, as ir-ctl --send takes them"_s,
        .description =
            u"Prints the nominal timings of one frame of the scancode, as \"+9000 -4500 "
            "...\"\n(microseconds, a pulse + and a space -), which `ir-ctl --send FILE` "
            "transmits and\n`brevik ir decode` reads back to the same scancode. The scancode is "
            "the Linux kernel's\nfor the protocol: nec address<<8|command, necx "
            "address<<8|command with a 16-bit\naddress, nec32 all 32 bits, rc5 address<<8|command "
            "(command bit 6 the inverted\nsecond start bit), rc6_0 address<<8|command, sony12 and "
            "sony15 device<<16|function,\nsony20 device<<16|extended<<8|function."_s,
        .options =
            {
                {u"--protocol"_s, protocol_list(), u"the protocol, by the kernel's name"_s},
                {u"--scancode"_s, u"0x..."_s, u"the scancode, hexadecimal with 0x or decimal"_s},
                {u"--toggle"_s, u"0|1"_s, u"the toggle bit of rc5 and rc6_0 (default 0)"_s},
            },
        .examples = {u"brevik ir encode --protocol nec --scancode 0x0045"_s,
                     u"brevik ir encode --protocol rc5 --scancode 0x0535 --toggle 1 -o key.txt"_s},
        .run = encode,
        .line_feeds = true,
    };
}
