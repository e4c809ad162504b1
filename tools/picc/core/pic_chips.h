#pragma once

#include <QStringList>

// The chips offered for the directive, in the order the list shows them.
QStringList pic_chips();
