#include "tool_catalog.h"

#include "shell/widgets/look.h"
#include "tools/picc/form/picc_form.h"
#include "tools/resistor/form/resistor_form.h"
#include "tools/segment/form/segment_form.h"
#include "tools/sensor/form/sensor_form.h"
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
        {"Command2", "传感器阻值", 2760, tool, true, "真值表", make<SensorForm>},
        {"Command1", "七段码查询", 2280, tool, true, "七段码", make<SegmentForm>},
        {"Command4", "色环电阻", 1320, tool, true, "色环电阻", make<ResistorForm>},
        {"Command5", "秒表", 840, tool, true, "秒表", make<StopwatchForm>},
        {"Command3", "转速表", 3240, tool, true, "转速表", make<TachoForm>},
        // The listing tool is never minimized by a launch.
        {"Command11", "PICC TO ASM", 5160, standard, false, "PICCASM", make<PiccForm>, false},
        {"Command9", "单位换算", 1800, standard, false, "单位换算", make<UnitConverterForm>},
        // Tools the program does not contain.
        {"Command6", "串口工具", 3720, standard, false, {}, {}},
        {"Command7", "红外读码器", 4200, standard, false, {}, {}},
        {"Command8", "字模", 4680, standard, false, {}, {}},
    };
}
