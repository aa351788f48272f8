#include <QApplication>
#include <QThreadPool>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // Listing the tests needs no display; ctest lists them at build time.
    if (GTEST_FLAG_GET(list_tests))
        return RUN_ALL_TESTS();
    QApplication app(argc, argv);
    const int status = RUN_ALL_TESTS();
    // A job the window let go on after it closed (a cancelled password
    // check) ends within moments; its thread ends before the leak checker
    // looks, taking the thread's own OpenSSL state with it.
    QThreadPool::globalInstance()->waitForDone();
    return status;
}
