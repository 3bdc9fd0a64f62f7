#include <gtest/gtest.h>

#include <QApplication>
#include <filesystem>

#include "fakes.h"

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Sorvane"));
    ::testing::InitGoogleTest(&argc, argv);

    // The program writes airfoil.txt into its working folder: keep it out of the tree.
    sorvane::testing::TempFolder folder;
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    const int result = RUN_ALL_TESTS();
    std::filesystem::current_path(previous);
    return result;
}
