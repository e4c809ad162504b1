#include "tool_catalog.h"

#include "tools/resistor/form/resistor_form.h"
#include "tools/units/form/unit_converter_form.h"

std::vector<ToolWindow> tool_catalog() {
    return {
        placeholder_tool(QStringLiteral("真值表")),
        placeholder_tool(QStringLiteral("七段码")),
        {QStringLiteral("色环电阻"), [](FormHost& host) { return new ResistorForm(host); }},
        placeholder_tool(QStringLiteral("秒表")),
        placeholder_tool(QStringLiteral("转速表")),
        placeholder_tool(QStringLiteral("PICCASM"), false),
        {QStringLiteral("单位换算"), [](FormHost& host) { return new UnitConverterForm(host); }},
    };
}
