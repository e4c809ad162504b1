#include "tool_window.h"

#include "shell/widgets/form.h"
#include "shell/widgets/look.h"

ToolWindow placeholder_tool(const QString& name, bool minimizable) {
    return {name,
            [name](FormHost& host) {
                return new Form(host, name, name, 6000, 4500, rgb(192, 255, 255));
            },
            minimizable};
}
