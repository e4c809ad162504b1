#pragma once

#include "ad_value.h"
#include "base/table_dialect.h"
#include "other_model_counter.h"
#include "sensor_model.h"

#include <QString>

#include <vector>

// The AD table as firmware source: one line per degree or percent in the chosen dialect, a
// thermistor table closed by a note line.

// "PIC", "A51", "数组" and "EMC" with the sensor tool's pieces; every value takes the one prefix.
const std::vector<Dialect>& sensor_dialects();

// "retlw 0x0ED;0电阻值=128000Ω" and CR LF; `ohms` shown to the nearest whole ohm.
QString thermistor_line(const DialectPieces& pieces, int index, double ohms, std::int32_t reading);
// "retlw 0x06;湿度=0%电压=0.116279069767442V" and CR LF.
QString humidity_line(const DialectPieces& pieces, int percent, const HumidityReading& reading);
// What the index of a built-in thermistor table means and how it was wired; `divider_text` as
// the user typed it.
QString note_line(SensorModel model, const QString& orientation_text, const QString& divider_text);
// The same for a table named `name` whose indices 0 to `last` run from `from_celsius` to
// `to_celsius`.
QString note_line(const QString& name, int last, double from_celsius, double to_celsius,
                  const QString& orientation_text, const QString& divider_text);

// What the window holds when a table is asked for.
struct SensorChoices {
    SensorModel model;
    QString dialect;
    QString orientation;
    QString divider;  // ohms, as typed
    QString typed;    // the other model's resistance, as typed
    Precision precision;
};

struct AdTableRun {
    QString text;     // the output box's text after the run
    QString message;  // why the run stopped; empty when it completed
    // The lines of this run, counted from 1, whose value the dialect's instruction cannot take
    // (see instruction_holds); the text writes them all the same, as the window always has.
    std::vector<int> unfit_lines;
    bool completed() const { return message.isEmpty(); }
};

// Whether the instruction of `dialect` takes `reading`: retlw, DB and retl load one byte, so
// PIC, A51 and EMC hold 0 to 255; the array's element type is the firmware's to choose.
bool instruction_holds(const QString& dialect, std::int32_t reading);

// Line numbers in rising order as ranges: "3, 98-101".
QString line_ranges(const std::vector<int>& lines);

// A thermistor known by its resistance at evenly spaced temperatures: entry i is at
// from + i · step degrees. The resistances are the curve's own, not rounded: a 470 Ω part near
// its top temperature is a few tens of ohms, where a whole ohm moves the reading by several
// counts.
struct ThermistorCurve {
    QString name;  // for the note line
    double from_celsius;
    double step_celsius;
    std::vector<double> ohms;
};

// The curve's table in the built-in tables' form: one line per entry with the resistance, to the
// nearest ohm, as its comment, then the note line. Each reading comes from the exact
// resistance. The choices' model and typed text play no part.
AdTableRun curve_ad_table(const ThermistorCurve& curve, const SensorChoices& choices);

// The tool's table state between runs: the instruction word of the last dialect used and the
// other model's entry count.
class SensorTableWriter {
public:
    // A built-in model writes entries 0 to `last` (at most 100) in place of `shown`; the other
    // model adds its one entry to `shown`. A refused input stops the run with its message and
    // keeps the lines written before it.
    AdTableRun make_table(int last, const SensorChoices& choices, const QString& shown);

    // The other model starts again from entry 0.
    void clear() { m_counter.reset(); }

private:
    AdTableRun humidity_table(int last, const SensorChoices& choices);
    AdTableRun thermistor_table(int last, const SensorChoices& choices, QString text);

    DialectChoice m_dialects{sensor_dialects()};
    OtherModelCounter m_counter;
};
