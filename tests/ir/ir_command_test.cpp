#include "tools/ir/cli/ir_command.h"
#include "base/text_file.h"
#include "shell/cli/command_kit.h"
#include "tests/support/qt_printers.h"
#include "tools/ir/core/ir_encoder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <random>

using namespace Qt::StringLiterals;

namespace {

CommandRun run(const QStringList& arguments) {
    return run_command({ir_decode_command(), ir_encode_command()}, arguments);
}

// `encode` of a scancode, its output saved and `decode`d: the same protocol and scancode, for
// random codes of every protocol.
TEST(IrCommand, EncodeThenDecodeGivesTheScancodeBackForEveryProtocol) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"frame.txt"_s);
    std::mt19937 random(26);
    for (const IrProtocol protocol : known_protocols()) {
        SCOPED_TRACE(protocol_key(protocol).toStdString());
        for (int tried = 0; tried < 15;) {
            const quint32 scancode = static_cast<quint32>(random()) & scancode_mask(protocol);
            if (scancode_error(protocol, scancode)) {
                continue;
            }
            ++tried;
            const CommandRun encoded =
                run({u"ir"_s, u"encode"_s, u"--protocol"_s, protocol_key(protocol), u"--scancode"_s,
                     u"0x"_s + QString::number(scancode, 16), u"-o"_s, file});
            ASSERT_EQ(encoded.exit_status, 0) << encoded.errors.toStdString();
            const CommandRun decoded = run({u"ir"_s, u"decode"_s, file});
            ASSERT_EQ(decoded.exit_status, 0) << decoded.errors.toStdString();
            const QStringList words = QString::fromUtf8(decoded.output).trimmed().split(u' ');
            EXPECT_EQ(words.value(0), protocol_key(protocol));
            EXPECT_EQ(words.value(3).sliced(9).toUInt(nullptr, 16), scancode)
                << decoded.output.toStdString();
        }
    }
}

// Lines end in LF alone, as ir-ctl and shell tools read them.
TEST(IrCommand, DecodePrintsOneLinePerFrame) {
    QTemporaryDir dir;
    const QString file = dir.filePath(u"remote.txt"_s);
    ASSERT_FALSE(write_text_file(file,
                                 u"+9000 -2250 +560\n-40000\n%1\n-40000\n+9000 -2250 +560\n-40000\n"
                                 "%2\n-100000\n%3\n-100000\n+1000 -1000 +3000\n"_s.arg(
                                     timings_text(encode_frame(IrProtocol::kNecx, 0x123445)),
                                     timings_text(encode_frame(IrProtocol::kRc6Mode0, 0x800c, 1)),
                                     timings_text(encode_frame(IrProtocol::kSony20, 0x1a5a3c)))));
    const CommandRun result = run({u"ir"_s, u"decode"_s, file});
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.output,
              "nec repeat\n"
              "necx address=0x1234 command=0x45 scancode=0x123445\n"
              "necx address=0x1234 command=0x45 scancode=0x123445 repeat\n"
              "rc6_0 address=0x80 command=0x0c scancode=0x800c toggle=1\n"
              "sony20 address=0x1a5a command=0x3c scancode=0x1a5a3c\n"
              "unknown pulses=2 +1000 -1000 +3000\n");
}

// The refusals of the infrared commands; those every subcommand shares are the command kit's.
TEST(IrCommand, ExitStatusesAndMessages) {
    QTemporaryDir dir;
    const QString bad = dir.filePath(u"bad.txt"_s);
    ASSERT_FALSE(write_text_file(bad, u"# a remote\npulse 9000\nspace 4500\npluse 560"_s));
    const QString missing = dir.filePath(u"missing.txt"_s);
    const struct {
        QStringList arguments;
        int status;
        QString errors;  // the start of standard error
    } rows[] = {
        {{u"decode"_s, bad},
         2,
         u"brevik ir decode: %1: line 4 is not a pulse or space: pluse 560"_s.arg(bad)},
        {{u"decode"_s, missing}, 1, u"brevik ir decode: cannot read %1: "_s.arg(missing)},
        {{u"encode"_s, u"--protocol"_s, u"nec"_s, u"--scancode"_s, u"0x1zz"_s},
         2,
         u"brevik ir encode: --scancode: '0x1zz' is not valid."_s},
        {{u"encode"_s, u"--protocol"_s, u"rc5"_s, u"--scancode"_s, u"0x80"_s},
         2,
         u"brevik ir encode: --scancode: 0x80 is not a rc5 scancode: the bits outside 0x1f7f "
         "must be 0"_s},
        {{u"encode"_s, u"--protocol"_s, u"SONY12"_s, u"--scancode"_s, u"65557"_s}, 0, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.arguments.join(u' ').toStdString());
        const CommandRun result = run(QStringList{u"ir"_s} + row.arguments);
        EXPECT_EQ(result.exit_status, row.status);
        EXPECT_TRUE(result.errors.startsWith(row.errors)) << result.errors.toStdString();
        EXPECT_EQ(result.output.isEmpty(), row.status != 0);
    }
}

}  // namespace
