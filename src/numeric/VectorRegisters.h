#pragma once

namespace velarium {

// Clears the upper halves of the processor's AVX registers, where it has them. The program is
// built for the baseline x86-64 instruction set, whose SSE instructions run markedly slower while
// those halves hold data that other code left behind. Qt leaves them so after clearing an image,
// stroking a dashed outline or shaping text; right after a picture was drawn, the disk model's
// integration took 1.7 times as long. The long numeric loops call this on entry; it costs a few
// cycles and changes no result.
void clearUpperVectorHalves();

}  // namespace velarium
