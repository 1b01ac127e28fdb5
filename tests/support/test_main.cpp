#include <QApplication>
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// One QApplication for the whole test program: widgets, fonts and timers need it.
int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The toolkit sets the C library's locale from the environment, as in the program.
    QApplication app(argc, argv);
    // A locale run that silently fell back to the C locale would prove nothing.
    if (const char* wanted = std::getenv("DUOCLAVE_TEST_LOCALE")) {
        const char* numeric = std::setlocale(LC_NUMERIC, nullptr);
        if (!numeric || std::strcmp(numeric, wanted) != 0) {
            std::fprintf(stderr, "the C library runs in the locale \"%s\", not in %s (LOCPATH=%s)\n",
                         numeric ? numeric : "?", wanted, std::getenv("LOCPATH") ? std::getenv("LOCPATH") : "");
            return EXIT_FAILURE;
        }
    }
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
