#pragma once
// Faults the runtime can be told to commit, so that a program can be tried against a runtime
// that misbehaves. STANDIN_RUNTIME_FAULTS names them, separated by commas (read on every
// question, so a test may change it while running):
//   no_browser      browser creation gives no browser
//   no_main_frame   a browser has no main (or focused) frame
//   null_strings    texts handed out or passed to callbacks are null
//   empty_lists     frame names and identifiers come back empty
//   foreign_thread  load and display callbacks run on the IO thread, not in the loop work
//   early_release   a resource handler is released before its response is read

namespace standin {

bool FaultOn(const char* name);

}  // namespace standin
