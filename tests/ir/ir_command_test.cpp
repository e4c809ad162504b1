#include "tools/ir/cli/ir_command.h"
#include "base/text_file.h"
#include "shell/cli/command_kit.h"
#include "tests/support/qt_printers.h"
#include "tools/ir/core/ir_encoder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace {

CommandRun run(const QStringList& arguments) {
    return run_command({ir_decode_command(), ir_encode_command()}, arguments);
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
    EXPECT_EQ(run({u"ir"_s, u"decode"_s, file}).output,
              "nec repeat\n"
              "necx address=0x1234 command=0x45 scancode=0x123445\n"
              "necx address=0x1234 command=0x45 scancode=0x123445 repeat\n"
              "rc6_0 address=0x80 command=0x0c scancode=0x800c toggle=1\n"
              "sony20 address=0x1a5a command=0x3c scancode=0x1a5a3c\n"
              "unknown pulses=2 +1000 -1000 +3000\n");
}

// The refusals of the infrared commands; those every subcommand shares are the command kit's.
// What encode prints is the frame's timings, as decode reads them.
TEST(IrCommand, ExitStatusesAndMessages) {
    QTemporaryDir dir;
    const QString bad = dir.filePath(u"bad.txt"_s);
    ASSERT_FALSE(write_text_file(bad, u"# a remote\npulse 9000\nspace 4500\npluse 560"_s));
    const QString missing = dir.filePath(u"missing.txt"_s);
    // The arguments after "ir", the exit status and the start of standard error.
    const std::tuple<QString, int, QString> rows[] = {
        {u"decode "_s + bad, 2,
         u"brevik ir decode: %1: line 4 is not a pulse or space: pluse 560"_s.arg(bad)},
        {u"decode "_s + missing, 1, u"brevik ir decode: cannot read %1: "_s.arg(missing)},
        {u"encode --protocol nec --scancode 0x1zz"_s, 2,
         u"brevik ir encode: --scancode: '0x1zz' is not valid."_s},
        {u"encode --protocol rc5 --scancode 0x80"_s, 2,
         u"brevik ir encode: --scancode: 0x80 is not a rc5 scancode: the bits outside 0x1f7f "
         "must be 0"_s},
    };
    for (const auto& [arguments, status, errors] : rows) {
        SCOPED_TRACE(arguments.toStdString());
        const CommandRun result = run(QStringList{u"ir"_s} + arguments.split(u' '));
        EXPECT_EQ(result.exit_status, status);
        EXPECT_TRUE(result.errors.startsWith(errors)) << result.errors.toStdString();
        EXPECT_TRUE(result.output.isEmpty());
    }
    const CommandRun encoded =
        run(u"ir encode --protocol RC5 --scancode 1333 --toggle 1"_s.split(u' '));
    EXPECT_EQ(encoded.exit_status, 0);
    EXPECT_EQ(encoded.output,
              timings_text(encode_frame(IrProtocol::kRc5, 0x535, 1)).toUtf8() + '\n');
}

}  // namespace
