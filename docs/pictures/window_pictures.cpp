// Renders every window of the program, in a typical state, to PNG files: the pictures of the
// README. Run it from the top of the repository (the main window shows the readme of the
// directory it starts in): window_pictures docs
// It ends with status 1 when a window does not render.

#include "app/tool_catalog.h"
#include "shell/launcher.h"
#include "shell/main_window.h"
#include "shell/widgets/text_box.h"
#include "tests/support/fake_serial_device.h"
#include "tests/support/offscreen_application.h"
#include "tests/support/scripted_form_host.h"
#include "tools/glyphs/form/glyphs_form.h"
#include "tools/ir/form/ir_form.h"
#include "tools/picc/form/picc_form.h"
#include "tools/resistor/form/resistor_form.h"
#include "tools/segment/form/segment_form.h"
#include "tools/sensor/form/sensor_form.h"
#include "tools/serial/form/plot_panel.h"
#include "tools/serial/form/serial_form.h"
#include "tools/stopwatch/form/stopwatch_form.h"
#include "tools/tacho/form/tacho_form.h"
#include "tools/units/form/unit_converter_form.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QSet>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cmath>
#include <cstdio>
#include <functional>

namespace {

void click(QWidget* window, const QString& name) {
    if (auto* button = window->findChild<QAbstractButton*>(name)) {
        button->click();
        return;
    }
    // Colour buttons are known by their accessible names.
    for (auto* button : window->findChildren<QAbstractButton*>()) {
        if (button->accessibleName() == name) {
            button->click();
            return;
        }
    }
    std::fprintf(stderr, "no button %s in %s\n", qPrintable(name),
                 qPrintable(window->objectName()));
}

void type(QWidget* window, const QString& name, const QString& text) {
    if (auto* box = window->findChild<TextBox*>(name)) {
        box->setText(text);
    }
}

// A window that rendered shows text, lines and faces: many colours, not a blank.
bool looks_rendered(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height() && colours.size() < 8; y += 3) {
        for (int x = 0; x < image.width() && colours.size() < 8; x += 3) {
            colours.insert(image.pixel(x, y));
        }
    }
    return !image.isNull() && colours.size() >= 8;
}

class Pictures {
public:
    explicit Pictures(const QString& directory) : m_directory(directory) {}

    // Shows the window, brings it to the state `prepare` leaves it in, saves its picture and
    // deletes the window.
    void take(const QString& file, QWidget* window, const std::function<void()>& prepare = {}) {
        window->show();
        if (prepare) {
            prepare();
        }
        QApplication::processEvents();
        const QImage image = window->grab().toImage();
        delete window;
        const QString path = QDir(m_directory).filePath(file);
        if (!looks_rendered(image) || !image.save(path)) {
            std::fprintf(stderr, "%s did not render\n", qPrintable(file));
            m_failed = true;
            return;
        }
        std::printf("%s: %d x %d\n", qPrintable(path), image.width(), image.height());
    }
    bool failed() const { return m_failed; }

private:
    QString m_directory;
    bool m_failed = false;
};

template <typename Window, typename... Arguments>
Window* loaded(ScriptedFormHost& host, Arguments&... arguments) {
    auto* window = new Window(host, arguments...);
    window->load();
    return window;
}

}  // namespace

int main(int argc, char* argv[]) {
    OffscreenApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    const QString directory = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("docs");
    QDir().mkpath(directory);

    ScriptedFormHost host;  // every dialog is cancelled: nothing is saved
    host.now = QTime(10, 8, 38);
    Pictures pictures(directory);

    Launcher launcher(host, tool_catalog());
    pictures.take(QStringLiteral("main-window.png"), loaded<MainWindow>(host, launcher));

    auto* segment = loaded<SegmentForm>(host);
    pictures.take(QStringLiteral("segment.png"), segment,
                  [&] { click(segment, QStringLiteral("全部转换")); });

    auto* sensor = loaded<SensorForm>(host);
    pictures.take(QStringLiteral("sensor.png"), sensor, [&] {
        type(sensor, QStringLiteral("Text6"), QStringLiteral("10000"));
        click(sensor, QStringLiteral("Command65"));
    });

    FakeSerialDevice* board = nullptr;
    host.make_serial_device = [&](const QString&) {
        auto device = std::make_unique<FakeSerialDevice>();
        board = device.get();
        return device;
    };
    auto* tacho = loaded<TachoForm>(host);
    pictures.take(QStringLiteral("tacho.png"), tacho, [&] {
        type(tacho, QStringLiteral("Text2"), QStringLiteral("2000"));
        click(tacho, QStringLiteral("Command66"));
        // Speeds rising to 1250 r/min: the bar is lit to yellow.
        for (const char* frame : {"55AA3A98FF", "55AA3200FF", "55AA2B5CFF", "55AA2710FF"}) {
            board->feed(QByteArray::fromHex(frame));
        }
    });

    auto* resistor = loaded<ResistorForm>(host);
    pictures.take(QStringLiteral("resistor.png"), resistor, [&] {
        click(resistor, QStringLiteral("Option2"));
        for (const char16_t* band :
             {u"第1环 黄", u"第2环 紫", u"第3环 黑", u"第4环 棕", u"第5环 棕"}) {
            click(resistor, QString::fromUtf16(band));
        }
        click(resistor, QStringLiteral("Command64"));
    });

    auto* stopwatch = loaded<StopwatchForm>(host);
    pictures.take(QStringLiteral("stopwatch.png"), stopwatch, [&] {
        type(stopwatch, QStringLiteral("定时时间"), QStringLiteral("12:00:00"));
        stopwatch->on_start_reset_clicked();
        host.steady += 83 * 1000;  // one minute and 23 seconds later
        stopwatch->on_stopwatch_tick();
        stopwatch->on_clock_tick();
    });

    QTemporaryDir listing_dir;
    const QString listing = listing_dir.filePath(QStringLiteral("blink.lst"));
    QFile file(listing);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(
            "0000  3001         MOVLW   0x01\r\n"
            "0001  0086         MOVWF   0x06      ; PORTB\r\n"
            "0002  1406         BSF     0x06,0\r\n"
            "0003  2803         GOTO    0x003\r\n");
        file.close();
    }
    auto* picc = loaded<PiccForm>(host);
    pictures.take(QStringLiteral("picc.png"), picc, [&] {
        host.answer_dialog(listing);
        click(picc, QStringLiteral("Command2"));
        click(picc, QStringLiteral("Command1"));
    });

    pictures.take(QStringLiteral("units.png"), loaded<UnitConverterForm>(host));

    FakeSerialDevice* adapter = nullptr;
    host.ports = {{QStringLiteral("/dev/ttyUSB0"), QStringLiteral("ttyUSB0"),
                   QStringLiteral("CP2102 USB to UART Bridge Controller")}};
    host.make_serial_device = [&](const QString&) {
        auto device = std::make_unique<FakeSerialDevice>();
        adapter = device.get();
        return device;
    };
    auto* serial = loaded<SerialForm>(host);
    serial->resize(820, 460);
    pictures.take(QStringLiteral("serial.png"), serial, [&] {
        click(serial, QStringLiteral("显示时间"));
        click(serial, QStringLiteral("打开串口"));
        for (const char* line : {"boot: v1.2 (GBK \xC4\xE3\xBA\xC3)\r\n", "adc=512 temp=24.5\r\n",
                                 "adc=515 temp=24.6\r\n", "adc=511 temp=24.6\r\n"}) {
            host.now = host.now.addMSecs(250);
            adapter->feed(QByteArray(line));
        }
        serial->findChild<QLineEdit*>(QStringLiteral("send_line"))
            ->setText(QStringLiteral("AT+VER?"));
        // The view and the status line follow the port a few times a second.
        QEventLoop settle;
        QTimer::singleShot(200, &settle, &QEventLoop::quit);
        settle.exec();
    });

    auto* glyphs = loaded<GlyphsForm>(host);
    pictures.take(QStringLiteral("glyphs.png"), glyphs,
                  [&] { click(glyphs, QStringLiteral("generate")); });

    // The sample recording opened, two keys named.
    host.answer_dialog(QDir::current().filePath(QStringLiteral("docs/examples/ir-remote.txt")));
    auto* ir = loaded<IrForm>(host);
    ir->resize(760, 520);
    pictures.take(QStringLiteral("ir.png"), ir, [&] {
        click(ir, QStringLiteral("open_button"));
        auto* keys = ir->findChild<QTableWidget*>(QStringLiteral("frame_table"));
        keys->item(0, IrForm::kKeyName)->setText(QStringLiteral("KEY_POWER"));
        keys->item(2, IrForm::kKeyName)->setText(QStringLiteral("KEY_VOLUMEUP"));
    });

    // 波形: a reading and its running average, as a board prints them ten times a second.
    auto* plot = new PlotPanel(host);
    plot->resize(760, 420);
    pictures.take(QStringLiteral("plot.png"), plot, [&] {
        double average = 512;
        for (int i = 0; i < 600; ++i) {
            host.steady = i * 100;
            const double adc = 512 + 300 * std::sin(i / 40.0) + 60 * std::sin(i * 1.7);
            average += (adc - average) / 8;
            plot->add_bytes(QStringLiteral("adc=%1 avg=%2\r\n")
                                .arg(std::lround(adc))
                                .arg(average, 0, 'f', 1)
                                .toLatin1());
        }
    });
    return pictures.failed() ? 1 : 0;
}
