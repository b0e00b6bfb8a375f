// The GUI suites' own main: one QApplication on the stack for the whole binary, destroyed
// before the platform plugin goes away (a static one crashes at exit).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "app/Idioma.h"

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    if (GTEST_FLAG_GET(list_tests)) return RUN_ALL_TESTS();  // listing needs no display
    // Headless unless the caller asks for a real display.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication aplicacion(argc, argv);
    // As the program does: Qt's own texts in Spanish.
    pasaplan::InstalarIdiomaEspanol();
    return RUN_ALL_TESTS();
}
