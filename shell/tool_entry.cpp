#include "tool_entry.h"

#include "shell/widgets/form.h"
#include "shell/widgets/look.h"

std::function<Form*(FormHost&)> placeholder_window(const QString& name) {
    return [name](FormHost& host) {
        return new Form(host, name, name, 6000, 4500, rgb(192, 255, 255));
    };
}
