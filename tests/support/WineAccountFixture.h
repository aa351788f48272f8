#pragma once

#include "app/QtPictureDecoder.h"
#include "backup/CabinetTools.h"
#include "platform/CodePage.h"
#include "platform/FileIo.h"
#include "platform/Paths.h"
#include "platform/ProcessRunner.h"
#include "platform/SystemFolders.h"
#include "profile/MessengerProfile.h"
#include "protection/WineDataProtection.h"
#include "support/FakeClock.h"
#include "support/MessengerAccountBuilder.h"
#include "support/TempFolder.h"

#include <QBuffer>
#include <QByteArray>
#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace quorvane::test {

// The folder of the built programs, beside which the cabinet tools are.
inline std::string ProgramFolder() {
    return ParentFolder(QUORVANE_CLI);
}

// A real picture Qt can write (PNG, JPEG), sized so that two pictures differ.
inline std::string EncodedPicture(const char* format, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(QColor(30 * width % 256, 50 * height % 256, 120));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format))
        throw std::runtime_error(std::string("cannot encode a picture as ") + format);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// A Wine prefix with the test passport's Messenger account (written by
// builder), the services that read it and the project's own cabinet tools:
// what the listing and backup tests share.
class WineAccountFixture : public ::testing::Test {
protected:
    WineAccountFixture()
        : appData(temp / "prefix/drive_c/users/quorvane/AppData/Roaming"),
          windowsFolder(temp / "prefix/drive_c/windows"), services{protection, clock,
                                                                   CodePage::Ansi(), appData,
                                                                   temp / "cache/quorvane"},
          builder(appData, kTestPassport, protection) {
        MakeFolders(windowsFolder);
        folders.programFolder = ProgramFolder();
        folders.windowsFolder = windowsFolder;
        folders.tempFolder = temp / "prefix/tmp/";
        folders.privateFolder = temp / "cache/quorvane";
        MakeFolders(folders.tempFolder);
    }

    TempFolder temp;
    std::string appData;
    std::string windowsFolder;
    WineDataProtection protection{"quorvane"};
    FakeClock clock;
    CountingPause pause;
    ProfileServices services;
    SystemFolders folders{clock, pause};
    SpawnProcessRunner runner;
    CabinetTools tools{runner, ProgramFolder(), windowsFolder};
    QtPictureDecoder decoder;
    MessengerAccountBuilder builder;
};

} // namespace quorvane::test
