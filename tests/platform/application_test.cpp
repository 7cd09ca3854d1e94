// The application's title.
#include <QGuiApplication>

#include <gtest/gtest.h>

#include "platform/application.h"

namespace {

TEST(Application, TitleIsNoDisplayNameThatCaptionsWouldCarry) {
  auto* App = qobject_cast<TApplication*>(QCoreApplication::instance());
  ASSERT_NE(App, nullptr);
  const QString Name = QCoreApplication::applicationName();
  App->SetTitle("Numyx v.4.24");
  EXPECT_EQ(App->Title(), "Numyx v.4.24");
  // The window system appends a display name that was set to every window's caption.
  EXPECT_EQ(QGuiApplication::applicationDisplayName(), Name);
  App->SetTitle(QString());
}

}  // namespace
