// Saving a language file into a file system that fails: the old file keeps every
// byte, a message box says why, and no temporary file is left behind.
#include "glosser/GlosserFixture.h"
#include "support/Faultfolder.h"

#include <QFileInfo>

using Answer = C_MessageBox::Answer;

namespace {

class GlosserSaveFaultTest : public GlosserWindowTest, public ::testing::WithParamInterface<SaveFault>
{
};

} // namespace

TEST_P(GlosserSaveFaultTest, KeepsTheFileAndNamesTheReason)
{
    const QByteArray oldBytes = NumberedLines(278, "Old ");
    OpenFile("source.lng", NumberedLines(278));
    SetCell(0, QStringLiteral("Edited"));
    const FaultFolder target(folder.Path("faults"), GetParam(), QStringLiteral("Target.lng"), oldBytes);
    if (!target.Unavailable().isEmpty())
        GTEST_SKIP() << target.Unavailable().toStdString();
    const QStringList entries = target.Entries();
    // Replacing an existing name is confirmed.
    boxes.Queue(Answer::Yes);
    nextFile = target.Target();
    Trigger("FileSaveAsAction");
    const bool asked = QFileInfo::exists(target.Target());
    ASSERT_EQ(boxes.Shown().size(), (asked ? 1u : 0u) + (target.WriteSucceeds() ? 0u : 1u));
    if (!target.Holder().isEmpty()) {
        QFile holder(target.Holder());
        ASSERT_TRUE(holder.open(QIODevice::ReadOnly));
        EXPECT_EQ(holder.readAll(),
                  target.WriteSucceeds() ? NumberedLines(278).replace("Line 1\r\n", "Edited\r\n") : oldBytes);
    }
    EXPECT_EQ(target.Entries(), entries) << "nothing added or removed";
    EXPECT_EQ(form->EditedFileName(), folder.Path("source.lng"));
    if (target.WriteSucceeds()) {
        EXPECT_TRUE(QFileInfo(target.Target()).isSymLink());
        return;
    }
    EXPECT_TRUE(form->IsModified());
    const C_MessageBox::Request& told = boxes.Shown().back();
    EXPECT_EQ(told.icon, C_MessageBox::Icon::Error);
    EXPECT_TRUE(told.text.startsWith(QStringLiteral("Cannot save \"") + target.Target())) << told.text.toStdString();
    EXPECT_TRUE(told.text.contains(target.Reason())) << told.text.toStdString();
}

INSTANTIATE_TEST_SUITE_P(Faults, GlosserSaveFaultTest,
                         ::testing::Values(SaveFault::ReadOnlyFolder, SaveFault::FullDisk,
                                           SaveFault::TargetIsDirectory, SaveFault::LinkToFile,
                                           SaveFault::LinkIntoReadOnlyFolder, SaveFault::FolderGone),
                         [](const ::testing::TestParamInfo<SaveFault>& test) {
                             return SaveFaultIdentifier(test.param);
                         });
