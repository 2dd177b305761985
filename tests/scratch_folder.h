// A folder of the test process's own, for the files a test writes: inside the build tree, made on
// first use and removed with everything in it when the process ends, so that a test run leaves
// nothing behind and tests run side by side do not share files.
#ifndef TESTS_SCRATCH_FOLDER_H
#define TESTS_SCRATCH_FOLDER_H

#include <string>

namespace testmodels {

// The folder's path, without a trailing slash.
const std::string& scratch_folder();

}  // namespace testmodels

#endif  // TESTS_SCRATCH_FOLDER_H
