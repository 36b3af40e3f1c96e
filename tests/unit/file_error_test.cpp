#include "repair/file_error.h"

#include <gtest/gtest.h>

namespace {

struct CodeCase {
  long code;
  FileError::Cause cause;
  const char* message;
};

class FileErrorTest : public testing::TestWithParam<CodeCase> {};

TEST_P(FileErrorTest, CodeGivesCauseAndStandardText) {
  const CodeCase& row = GetParam();
  const FileError error(FileErrorCauseOf(row.code), "X.reg");
  EXPECT_EQ(error.GetCause(), row.cause);
  EXPECT_EQ(error.FileName(), "X.reg");
  EXPECT_EQ(error.Message(), row.message);
  EXPECT_STREQ(error.what(), row.message);
}

INSTANTIATE_TEST_SUITE_P(
    Codes, FileErrorTest,
    testing::Values(
        CodeCase{2, FileError::Cause::fileNotFound, "X.reg was not found."},
        CodeCase{3, FileError::Cause::fileNotFound, "X.reg was not found."},
        CodeCase{4, FileError::Cause::tooManyOpenFiles,
                 "X.reg could not be opened because there are too many open files."},
        CodeCase{5, FileError::Cause::accessDenied, "Access to X.reg was denied."},
        CodeCase{6, FileError::Cause::invalidFile, "An invalid file handle was associated with X.reg."},
        CodeCase{16, FileError::Cause::removeCurrentDir,
                 "X.reg could not be removed because it is the current directory."},
        CodeCase{25, FileError::Cause::badSeek, "Seek failed on X.reg"},
        CodeCase{29, FileError::Cause::hardIO, "A hardware I/O error was reported while accessing X.reg."},
        CodeCase{32, FileError::Cause::sharingViolation, "A sharing violation occurred while accessing X.reg."},
        CodeCase{33, FileError::Cause::lockViolation, "A locking violation occurred while accessing X.reg."},
        CodeCase{38, FileError::Cause::endOfFile, "An attempt was made to access X.reg past its end."},
        CodeCase{82, FileError::Cause::directoryFull, "X.reg could not be created because the directory is full."},
        CodeCase{112, FileError::Cause::diskFull, "Disk full while accessing X.reg."},
        CodeCase{123, FileError::Cause::badPath, "X.reg contains an invalid path."},
        CodeCase{0, FileError::Cause::generic, "An unknown error occurred while accessing X.reg."},
        CodeCase{1392, FileError::Cause::generic, "An unknown error occurred while accessing X.reg."}),
    [](const auto& row) { return "Code" + std::to_string(row.param.code); });

}  // namespace
