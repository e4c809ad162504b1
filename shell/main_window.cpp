#include "main_window.h"

#include "base/readme_text.h"
#include "launcher.h"
#include "shell/widgets/look.h"

#include <QDir>

#include <algorithm>

namespace {

const QColor kBackground = rgb(255, 192, 192);

// The exit button's place in the focus order, among the tool buttons'.
constexpr int kExitFocus = 10;

}  // namespace

MainWindow::MainWindow(FormHost& host, Launcher& launcher)
    : Form(host, QStringLiteral("Form1"), QStringLiteral("Brevik"), 10440, 7935, kBackground),
      m_launcher(launcher) {
    QLabel* brand = add_label(this, "Label3", "Velmora", {120, 120, 1695, 375});
    brand->setFont(fixed_pitch_song_font(15, kBold | kItalic));
    set_background(brand, kBackground);

    QLabel* title = add_label(this, "Label1", "Ostrand", {3720, 0, 3495, 495});
    title->setFont(song_font(21.75));
    set_text_colour(title, rgb(255, 0, 0));
    set_background(title, kBackground);

    add_line(this, "Line2", 0, 600, 10800, 600);

    std::vector<std::pair<int, QWidget*>> buttons;  // place in the focus order, button
    for (const ToolEntry& tool : m_launcher.catalog()) {
        if (tool.button.isEmpty()) {
            continue;
        }
        QPushButton* button =
            add_button(this, tool.button, tool.caption, {600, tool.top, 1215, 375});
        if (tool.face.isValid()) {
            set_face(button, tool.face);
        }
        button->setEnabled(tool.enabled);
        if (!tool.window.isEmpty()) {
            connect(button, &QPushButton::clicked, this,
                    [this, window = tool.window] { on_tool_clicked(window); });
        }
        button->setFont(song_font(9));
        buttons.push_back({tool.focus, button});
    }

    QFrame* readme_frame = add_picture(this, "Picture1", {2160, 720, 8055, 6375});
    m_readme = add_text_box(readme_frame, "Text1", QString(), {0, 0, 7935, 6255},
                            QStringLiteral("说明文件"), TextBox::Lines::kMulti,
                            TextBox::ScrollBars::kVertical);
    m_readme->setFont(song_font(10.5, kBold));
    set_background(m_readme, rgb(255, 255, 192));

    add_line(this, "Line1", 10560, 7320, 0, 7320);

    m_exit_button = add_button(this, "Command10", "退出", {480, 7560, 1335, 375});
    set_face(m_exit_button, rgb(0, 192, 192));
    connect(m_exit_button, &QPushButton::clicked, this, &MainWindow::on_exit_clicked);

    QLabel* credits = add_label(this, "Label2", "Brevik 单片机工具箱", {6840, 7560, 3330, 180});
    credits->setFont(song_font(9));
    set_background(credits, kBackground);

    m_exit_button->setFont(song_font(9));
    buttons.push_back({kExitFocus, m_exit_button});
    std::stable_sort(buttons.begin(), buttons.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<QWidget*> focus_order;
    for (const auto& [place, button] : buttons) {
        focus_order.push_back(button);
    }
    focus_order.push_back(m_readme->editor());
    for (std::size_t i = 0; i + 1 < focus_order.size(); ++i) {
        setTabOrder(focus_order[i], focus_order[i + 1]);
    }
}

void MainWindow::on_load() {
    m_readme->setText(readme_text(QDir::currentPath()));
}

void MainWindow::on_tool_clicked(const QString& window) {
    m_launcher.launch(window, *this);
}

void MainWindow::on_exit_clicked() {
    m_launcher.unload_all();
    unload();
}
