// The record that every stand-in program in the test package leaves of its
// run, so that a test sees which programs ran, how, when and where.
#pragma once

namespace kavadesk::test {

// Appends one UTF-8 line "image<TAB>command line<TAB>time<TAB>current folder"
// to the file named by KAVADESK_STANDIN_LOG, or to standin-runs.log beside the
// program when that is not set; the time is the system time in 100 ns units
// since 1601. Returns false when the line could not be written.
bool AppendStandInRecord();

}  // namespace kavadesk::test
