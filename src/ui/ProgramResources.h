#pragma once
// The program's pictures and page templates are compiled into the screens' library; a
// program or test that uses the screens calls this once, after creating its application.
namespace poirec {

void InitProgramResources();

}  // namespace poirec
