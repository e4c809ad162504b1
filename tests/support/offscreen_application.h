#pragma once

#include <QApplication>

// The application of a program that drives the windows without a screen (tests, benchmarks,
// the window pictures): the offscreen platform unless the environment names another, and the
// program's own style and fonts.
class OffscreenApplication : public QApplication {
public:
    OffscreenApplication(int& argc, char** argv);
};
