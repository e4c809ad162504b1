#include "pic_chips.h"

QStringList pic_chips() {
    return {
        QStringLiteral("16C54"),  QStringLiteral("16C57"),  QStringLiteral("16C62"),
        QStringLiteral("16C63"),  QStringLiteral("16C64"),  QStringLiteral("16C72"),
        QStringLiteral("16C73"),  QStringLiteral("16C74"),  QStringLiteral("16F873"),
        QStringLiteral("16F874"), QStringLiteral("16F877"),
    };
}
