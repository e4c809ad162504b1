#include "offscreen_application.h"

#include "shell/widgets/look.h"

static int& offscreen_unless_told(int& argc) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    return argc;
}

OffscreenApplication::OffscreenApplication(int& argc, char** argv)
    : QApplication(offscreen_unless_told(argc), argv) {
    prepare_application(*this);
}
