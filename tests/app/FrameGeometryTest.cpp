#include "app/Mainform.h"
#include "settings/Context.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

TEST(MainformTest, GeometryComesFromTheStoreAndGoesBackAtClose)
{
    TempFolder folder;
    {
        C_Context context;
        context.SetFormLeft(40);
        context.SetFormTop(30);
        context.SetFormWidth(900);
        context.SetFormHeight(640);
        context.SetLastConfiguration(QStringLiteral("gone.KWC"));
        TMainForm form(context);
        EXPECT_EQ(form.windowTitle(), QStringLiteral("KW3 Win 2"));
        EXPECT_EQ(form.geometry().size(), QSize(900, 640));
        form.show();
        form.resize(700, 500);
        form.close();
        EXPECT_EQ(context.FormWidth(), 700);
        EXPECT_EQ(context.FormHeight(), 500);
        EXPECT_EQ(context.WindowState(), 0);
        EXPECT_EQ(context.LastConfiguration(), QString()) << "no configuration window was open";
    }
    const C_Context context;
    EXPECT_EQ(context.FormWidth(), 700);
}
