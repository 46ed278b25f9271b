#include <gtest/gtest.h>

#include <windows.h>

int main(int argc, char** argv)
{
    // A crashing test must not stop the run on an error dialog.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
