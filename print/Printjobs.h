#pragma once

#include <QDateTime>
#include <QPageLayout>
#include <QPainter>
#include <QString>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class C_Configuration;
class C_StepRow;
class QPagedPaintDevice;
struct S_StepRow;

// What the jobs print: a configuration, with the rows of its format.
struct S_PrintSource
{
    const C_Configuration& m_Value;
    // The format's rows: row captions and printed cells of the cycles.
    const std::vector<C_StepRow>& m_Rows;
    // Where each row lies in a step record: the programs' timelines need it.
    const std::vector<S_StepRow>& m_RowLayout;
    // The window's caption, the configuration's file name.
    QString m_Caption;
};

// The parts a user can tick; they print in this order, each as a job of its own.
struct S_PrintParts
{
    bool m_ServiceAndMotor = false;
    bool m_Programs = false;
    bool m_Cycles = false;
    // One landscape page per program, after the cycles.
    bool m_Timelines = false;

    bool Any() const { return m_ServiceAndMotor || m_Programs || m_Cycles || m_Timelines; }
};

// Where the jobs print. A job is one document: BeginDocument starts it with its
// first page, NewPage breaks between two of its pages, EndDocument ends it after
// its last. Each step is false when the printer or the file refuses it.
class C_PrintTarget
{
public:
    virtual ~C_PrintTarget();

    virtual bool BeginDocument(const QString& title, QPageLayout::Orientation orientation) = 0;
    virtual bool NewPage() = 0;
    virtual bool EndDocument() = 0;
    // After the last job: a target that holds every job in one document ends it here.
    virtual bool Finish() { return true; }
    // The current page; its window is the printable page in device pixels.
    virtual QPainter& Canvas() = 0;
};

// A printer or a PDF writer. A printer takes each job as a document of its own; a
// PDF file (and a preview) holds all jobs in one document, each page in its job's
// orientation.
class C_PagedTarget : public C_PrintTarget
{
public:
    enum class Documents { OnePerJob, OneForAll };

    // setTitle names a job's document to the device, when it can be named.
    C_PagedTarget(QPagedPaintDevice& device, Documents documents,
                  std::function<void(const QString&)> setTitle = {});
    ~C_PagedTarget() override;
    C_PagedTarget(const C_PagedTarget&) = delete;
    C_PagedTarget& operator=(const C_PagedTarget&) = delete;

    // Keeps every sheet in the orientation and turns the pages of the other a
    // quarter, as they lie on the paper: a print preview shows one orientation only.
    void KeepSheets(QPageLayout::Orientation orientation) { m_Sheets = orientation; }

    bool BeginDocument(const QString& title, QPageLayout::Orientation orientation) override;
    bool NewPage() override;
    bool EndDocument() override;
    bool Finish() override;
    QPainter& Canvas() override { return m_Canvas; }

private:
    void StartPage();

    QPagedPaintDevice& m_Device;
    const Documents m_Documents;
    const std::function<void(const QString&)> m_SetTitle;
    std::optional<QPageLayout::Orientation> m_Sheets;
    QPageLayout::Orientation m_Orientation = QPageLayout::Portrait;
    QPainter m_Canvas;
};

// Runs the chosen parts in order, numbering the pages on from the counter, which
// is left at the number of the next page. The title of the job the target refused,
// or an empty text when all went through.
QString RunPrintJobs(C_PrintTarget& target, const S_PrintSource& source, const S_PrintParts& parts,
                     const QDateTime& printTime, std::int32_t& pageCounter);

// The chosen parts in one PDF file on A4, pages numbered from 1. The file is
// written beside its place and then renamed, so a failure leaves no new file and
// an old one as it was; false, with the reason, when it cannot be written.
bool PrintToPdfFile(const QString& path, const S_PrintSource& source, const S_PrintParts& parts,
                    const QDateTime& printTime, QString& error);

// The date and time of the service page: "7.12.2026" and "9:05:03".
QString PrintDate(const QDateTime& time);
QString PrintTime(const QDateTime& time);
