#pragma once

#include "tools/serial/core/checksum.h"

#include <QString>

class QBoxLayout;
class QComboBox;

// The 校验和 choice of the send line and of a saved command: every checksum by its name. The
// checksum used is the one whose name the box shows.
QComboBox* new_checksum_box(const QString& object_name);
Checksum shown_checksum(const QComboBox* box);
void show_checksum(QComboBox* box, Checksum checksum);

// Puts the box on `row` behind its buddy label 校验和, as it stands beside 十六进制发送.
void add_checksum_choice(QBoxLayout* row, QComboBox* box);
