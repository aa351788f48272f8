#include "app/AccountSession.h"

#include "backup/Manifests.h"
#include "platform/CodePage.h"
#include "platform/Paths.h"
#include "platform/PrivateFolder.h"
#include "profile/ObjectList.h"
#include "protection/WindowsDataProtection.h"

namespace quorvane {

namespace {

SystemFolders Located(const Clock& clock, Pause& pause, const AccountSelection& selection) {
    SystemFolders folders(clock, pause);
    folders.Locate(selection.WindowsFolder());
    return folders;
}

// Wine's scheme for a prefix, the Windows user's keyring for an old disk.
std::unique_ptr<DataProtection> ProtectionFor(const AccountSelection& selection) {
    if (selection.windows)
        return std::make_unique<WindowsDataProtection>(*selection.windows->keyring);
    return std::make_unique<WineDataProtection>(selection.wineUser);
}

} // namespace

AccountSession::AccountSession(AccountSelection selection, ContentCategory category)
    : m_selection(std::move(selection)), m_category(category),
      m_protection(ProtectionFor(m_selection)), m_services{*m_protection,
                                                           m_clock,
                                                           CodePage::Ansi(),
                                                           m_selection.ApplicationDataFolder(),
                                                           PrivateFolderPath(),
                                                           m_selection.windows != nullptr},
      m_folders(Located(m_clock, m_pause, m_selection)),
      m_tools(m_runner, m_folders.programFolder, m_folders.windowsFolder) {
    if (IsPackaged(category))
        m_list = std::make_unique<PackagedObjectList>(m_services, category);
    else
        m_list = std::make_unique<PictureObjectList>(m_services, category);
}

AccountSession::~AccountSession() {
    Clear();
}

void AccountSession::Clear() {
    m_list->Clear();
    m_result = {};
}

const ListingResult& AccountSession::List(const CancelFlag* cancel,
                                          const ProgressFunction& progress,
                                          const PictureDecoder* decoder) {
    const PictureDecoder& judge = decoder != nullptr ? *decoder : m_decoder;
    if (IsPackaged(m_category))
        m_result =
            ListPackagedObjects(static_cast<PackagedObjectList&>(*m_list), m_selection.passport,
                                m_tools, judge, CodePage::Ansi(), cancel, progress);
    else
        m_result = ListPictureObjects(static_cast<PictureObjectList&>(*m_list),
                                      m_selection.passport, judge, m_pause, cancel, progress);
    return m_result;
}

BackupOutcome AccountSession::Backup(const std::vector<std::size_t>& itemData,
                                     const std::string& backupFolder, const CancelFlag* cancel,
                                     const ProgressFunction& progress) {
    EmoticonManifest manifest(m_clock, CodePage::Ansi());
    const BackupServices services{m_tools,          m_folders, m_clock, m_pause,
                                  CodePage::Ansi(), cancel,    progress};
    BackupOperation backup(services);
    return backup.Run(*m_list, itemData, backupFolder, manifest);
}

} // namespace quorvane
