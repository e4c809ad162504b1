#include "tool_catalog.h"

#include "tools/resistor/form/resistor_form.h"
#include "tools/segment/form/segment_form.h"
#include "tools/tacho/form/tacho_form.h"
#include "tools/units/form/unit_converter_form.h"

std::vector<ToolWindow> tool_catalog() {
    return {
        placeholder_tool(QStringLiteral("真值表")),
        {QStringLiteral("七段码"), [](FormHost& host) { return new SegmentForm(host); }},
        {QStringLiteral("色环电阻"), [](FormHost& host) { return new ResistorForm(host); }},
        placeholder_tool(QStringLiteral("秒表")),
        {QStringLiteral("转速表"), [](FormHost& host) { return new TachoForm(host); }},
        placeholder_tool(QStringLiteral("PICCASM"), false),
        {QStringLiteral("单位换算"), [](FormHost& host) { return new UnitConverterForm(host); }},
    };
}
