#include "tool_catalog.h"

#include "shell/widgets/look.h"
#include "tools/glyphs/cli/glyphs_command.h"
#include "tools/glyphs/form/glyphs_form.h"
#include "tools/ir/cli/ir_command.h"
#include "tools/ir/form/ir_form.h"
#include "tools/picc/form/picc_form.h"
#include "tools/resistor/form/resistor_form.h"
#include "tools/segment/cli/segment_command.h"
#include "tools/segment/form/segment_form.h"
#include "tools/sensor/cli/sensor_command.h"
#include "tools/sensor/form/sensor_form.h"
#include "tools/serial/form/serial_form.h"
#include "tools/stopwatch/form/stopwatch_form.h"
#include "tools/tacho/form/tacho_form.h"
#include "tools/units/form/unit_converter_form.h"

namespace {

template <typename Window>
Form* make(FormHost& host) {
    return new Window(host);
}

// A tool button, "Command<number>", whose number is also its place in the focus order; it
// launches `Window` under the caption `window`. An invalid `face` is the standard face.
template <typename Window>
ToolEntry tool(int number, const char* caption, int top, const QColor& face, const char* window,
               bool minimizable = true) {
    return {
        .button = QStringLiteral("Command%1").arg(number),
        .caption = QString::fromUtf8(caption),
        .top = top,
        .focus = number,
        .face = face,
        .enabled = true,
        .window = QString::fromUtf8(window),
        .create = make<Window>,
        .minimizable = minimizable,
    };
}

}  // namespace

ToolCatalog tool_catalog() {
    const QColor painted = rgb(128, 255, 128);
    const QColor standard;
    // The listing tool is never minimized by a launch.
    constexpr bool kNeverMinimized = false;
    return {
        tool<SensorForm>(2, "传感器阻值", 2760, painted, "真值表"),
        tool<SegmentForm>(1, "七段码查询", 2280, painted, "七段码"),
        tool<ResistorForm>(4, "色环电阻", 1320, painted, "色环电阻"),
        tool<StopwatchForm>(5, "秒表", 840, painted, "秒表"),
        tool<TachoForm>(3, "转速表", 3240, painted, "转速表"),
        tool<PiccForm>(11, "PICC TO ASM", 5160, standard, "PICCASM", kNeverMinimized),
        tool<UnitConverterForm>(9, "单位换算", 1800, standard, "单位换算"),
        tool<SerialForm>(6, "串口工具", 3720, standard, "串口工具"),
        tool<IrForm>(7, "红外读码器", 4200, standard, "红外读码器"),
        tool<GlyphsForm>(8, "字模", 4680, standard, "字模"),
    };
}

CommandCatalog command_catalog() {
    return {
        segment_table_command(), sensor_table_command(), glyphs_command(),
        ir_decode_command(),     ir_encode_command(),
    };
}
