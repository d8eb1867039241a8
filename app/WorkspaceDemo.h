#pragma once

// The text the workspace's Run Demo types, one character per timer tick: comment lines that
// explain the workspace and example lines that it evaluates as they are typed.
extern const char kWorkspaceDemoScript[];
