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

}  // namespace

ToolCatalog tool_catalog() {
    const QColor tool = rgb(128, 255, 128);
    const QColor standard;
    return {
        {
            .button = "Command2",
            .caption = "传感器阻值",
            .top = 2760,
            .focus = 2,
            .face = tool,
            .enabled = true,
            .window = "真值表",
            .create = make<SensorForm>,
        },
        {
            .button = "Command1",
            .caption = "七段码查询",
            .top = 2280,
            .focus = 1,
            .face = tool,
            .enabled = true,
            .window = "七段码",
            .create = make<SegmentForm>,
        },
        {
            .button = "Command4",
            .caption = "色环电阻",
            .top = 1320,
            .focus = 4,
            .face = tool,
            .enabled = true,
            .window = "色环电阻",
            .create = make<ResistorForm>,
        },
        {
            .button = "Command5",
            .caption = "秒表",
            .top = 840,
            .focus = 5,
            .face = tool,
            .enabled = true,
            .window = "秒表",
            .create = make<StopwatchForm>,
        },
        {
            .button = "Command3",
            .caption = "转速表",
            .top = 3240,
            .focus = 3,
            .face = tool,
            .enabled = true,
            .window = "转速表",
            .create = make<TachoForm>,
        },
        // The listing tool is never minimized by a launch.
        {
            .button = "Command11",
            .caption = "PICC TO ASM",
            .top = 5160,
            .focus = 11,
            .face = standard,
            .enabled = true,
            .window = "PICCASM",
            .create = make<PiccForm>,
            .minimizable = false,
        },
        {
            .button = "Command9",
            .caption = "单位换算",
            .top = 1800,
            .focus = 9,
            .face = standard,
            .enabled = true,
            .window = "单位换算",
            .create = make<UnitConverterForm>,
        },
        {
            .button = "Command6",
            .caption = "串口工具",
            .top = 3720,
            .focus = 6,
            .face = standard,
            .enabled = true,
            .window = "串口工具",
            .create = make<SerialForm>,
        },
        {
            .button = "Command7",
            .caption = "红外读码器",
            .top = 4200,
            .focus = 7,
            .face = standard,
            .enabled = true,
            .window = "红外读码器",
            .create = make<IrForm>,
        },
        {
            .button = "Command8",
            .caption = "字模",
            .top = 4680,
            .focus = 8,
            .face = standard,
            .enabled = true,
            .window = "字模",
            .create = make<GlyphsForm>,
        },
    };
}

CommandCatalog command_catalog() {
    return {
        segment_table_command(), sensor_table_command(), glyphs_command(),
        ir_decode_command(),     ir_encode_command(),
    };
}
