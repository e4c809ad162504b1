#include "dialect_option.h"

#include "base/table_dialect.h"

using namespace Qt::StringLiterals;

CommandOption dialect_option() {
    return {u"--dialect"_s, u"pic|a51|c|emc"_s, u"the table's dialect; c is the window's 数组"_s};
}

QString dialect_value(const CommandOptions& options) {
    const int index = options.choice(u"--dialect"_s, {u"pic"_s, u"a51"_s, u"c|数组"_s, u"emc"_s});
    return dialect_names()[index];
}
