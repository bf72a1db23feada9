#pragma once

// Stand-ins for the Save dialog and the file service of the batch window.

#include <QString>

#include <deque>
#include <optional>
#include <vector>

#include "generator/random_source.h"
#include "runtime/file_service.h"
#include "runtime/save_dialog.h"

namespace vellumar::testing {

// Answers with the paths it is given, in order; cancels when it has none
// left. Records the settings of every showing.
class FakeSaveDialog final : public SaveDialog {
public:
    std::optional<SaveDialogResult> ask(QWidget* owner, const SaveDialogSettings& settings) override
    {
        shown.push_back(settings);
        owners.push_back(owner);
        if (paths.empty())
            return std::nullopt;
        SaveDialogResult result;
        result.path = paths.front();
        result.fileTitle = result.path.section(QLatin1Char('/'), -1);
        paths.pop_front();
        return result;
    }

    std::deque<QString> paths;
    std::vector<SaveDialogSettings> shown;
    std::vector<QWidget*> owners;
};

// The real file service, with the folder checks scripted.
class FileServiceWithFolders final : public FileService {
public:
    PathKind kindAt(const QString& path) override { return real.kindAt(path); }
    bool canCreateIn(const QString& folder) override { return folder != readOnlyFolder; }
    QString documentsFolder() override { return documents; }
    QString writeText(const QString& path, const QString& text) override
    {
        ++writes;
        return real.writeText(path, text);
    }

    QtFileService real;
    QString readOnlyFolder;
    QString documents = QStringLiteral("/home/user/Documents");
    int writes = 0;
};

// Passes draws through and counts them.
class CountingRandom final : public RandomSource {
public:
    explicit CountingRandom(RandomSource& inner) : inner_(inner) {}
    std::uint32_t below(std::uint32_t n) override
    {
        ++draws;
        return inner_.below(n);
    }
    long draws = 0;

private:
    RandomSource& inner_;
};

}  // namespace vellumar::testing
