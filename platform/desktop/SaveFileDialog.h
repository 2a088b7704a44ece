#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QWidget;

namespace desktop {

// The system's file-save dialog, as the export uses it: a file-type filter
// and a proposed full path in; the chosen full path, or nothing on cancel,
// out. It asks nothing before an existing file is replaced and adds no
// extension of its own.
class SaveFileDialog {
public:
    virtual ~SaveFileDialog() = default;
    virtual std::optional<QString> run(QWidget* owner, const QString& filter, const QString& proposedPath) = 0;
};

class SystemSaveFileDialog : public SaveFileDialog {
public:
    std::optional<QString> run(QWidget* owner, const QString& filter, const QString& proposedPath) override;
};

// For tests: answers with a path set beforehand (or cancels) and records what it was given.
class RecordingSaveFileDialog : public SaveFileDialog {
public:
    struct Call {
        QString filter;
        QString proposedPath;
    };

    std::optional<QString> run(QWidget*, const QString& filter, const QString& proposedPath) override
    {
        calls.push_back({filter, proposedPath});
        return answer;
    }

    std::optional<QString> answer; // nothing: the operator cancels
    std::vector<Call> calls;
};

} // namespace desktop
