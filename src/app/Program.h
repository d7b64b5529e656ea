#pragma once

// Runs the program: the menu first, then whatever the user opens, until the
// menu's quit item or a close box ends it. Returns the process exit status.
int runProgram(int argc, char** argv);
