#pragma once

// Fakes of the report commands' own ports; the common ones are in
// core/fakeports.h.

#include "core/fakeports.h"
#include "reports/reportports.h"

#include <QFile>
#include <QFileInfo>

#include <functional>
#include <vector>

#include <gtest/gtest.h>

namespace ryv {

class TFakeSaveDialog final : public IFileSaveDialog {
public:
    QString answer; // empty: the user cancels
    std::vector<TSaveDialogRequest> requests;
    std::function<void()> whileOpen; // what the dialog's event loop runs meanwhile
    QString GetSaveFileName(const TSaveDialogRequest& request) override
    {
        requests.push_back(request);
        if (whileOpen)
            whileOpen();
        return answer;
    }
};

class TFakeBusyCursor final : public IBusyCursor {
public:
    int depth = 0;
    int begun = 0;
    void Begin() override
    {
        ++depth;
        ++begun;
    }
    void End() override { --depth; }
};

class TFakeGroupDialog final : public IGroupDialog {
public:
    bool accept = true;
    QString newName, newMask;
    // What the dialog was shown with.
    QString caption, namePrompt, maskPrompt, shownName, shownMask;
    std::function<void()> whileOpen; // what the dialog's event loop runs meanwhile
    bool EditGroup(const QString& c, const QString& np, const QString& mp, QString& name,
        QString& mask) override
    {
        if (whileOpen)
            whileOpen();
        caption = c;
        namePrompt = np;
        maskPrompt = mp;
        shownName = name;
        shownMask = mask;
        if (accept) {
            name = newName;
            mask = newMask;
        }
        return accept;
    }
};

// Stands in for wkhtmltopdf: records the call and, when told to, writes a
// PDF to the output argument.
class TFakeRunner final : public IProgramRunner {
public:
    int exitCode = 0;
    bool writePdf = true;
    QByteArray pdf = "%PDF-1.4 from the converter\n%%EOF\n"; // what it writes
    QString program;
    QStringList arguments;
    QByteArray inputSeen; // the HTML file's bytes during the run
    QFile::Permissions inputFolderPermissions; // of the HTML file's folder, during the run
    int calls = 0;
    int RunAndWait(const QString& prog, const QStringList& args, QString*) override
    {
        ++calls;
        program = prog;
        arguments = args;
        QFile in(args.value(0));
        if (in.open(QIODevice::ReadOnly))
            inputSeen = in.readAll();
        inputFolderPermissions = QFileInfo(QFileInfo(args.value(0)).path()).permissions();
        if (writePdf) {
            QFile out(args.value(1));
            if (out.open(QIODevice::WriteOnly))
                out.write(pdf);
        }
        return exitCode;
    }
};

class TFakeRenderer final : public IPdfRenderer {
public:
    bool succeed = true;
    int calls = 0;
    QString html;
    bool RenderHtmlToPdf(const QString& h, const QString& pdfFileName, QString* errorText) override
    {
        ++calls;
        html = h;
        if (!succeed) {
            if (errorText)
                *errorText = QStringLiteral("render failed");
            return false;
        }
        QFile out(pdfFileName);
        return out.open(QIODevice::WriteOnly)
            && out.write("%PDF-1.4 from the fallback\n%%EOF\n") > 0;
    }
};

} // namespace ryv
