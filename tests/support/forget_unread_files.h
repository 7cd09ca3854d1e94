#pragma once
// Each test is a run of its own for the files a run could not read: one that a test refused (its
// folder gone since, its inode given to another test's file) is no concern of the next.
#include <gtest/gtest.h>

#include "platform/file_identity.h"

class TForgetUnreadFilesListener : public ::testing::EmptyTestEventListener {
  void OnTestEnd(const ::testing::TestInfo&) override { ForgetUnreadFiles(); }
};

inline bool ForgetUnreadFilesAfterEachTest() {
  ::testing::UnitTest::GetInstance()->listeners().Append(new TForgetUnreadFilesListener);
  return true;
}
