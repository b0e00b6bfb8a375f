// The GUI suites' own main: one QApplication on the stack for the whole binary, destroyed
// before the platform plugin goes away (a static one crashes at exit).
#include <gtest/gtest.h>

#include <QApplication>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    QApplication aplicacion(argc, argv);
    return RUN_ALL_TESTS();
}
