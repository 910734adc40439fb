// Assembles assets/title_banner.gif into the program's constant data. The
// build names the file in KORVIX_TITLE_BANNER_GIF. The assembler's .incbin works
// the same with native g++ and with mingw-w64.
//
// Nothing else may go in this file: the assembly switches sections behind the
// compiler's back, which is only safe when the compiler emits nothing after it.

#ifndef KORVIX_TITLE_BANNER_GIF
#error "KORVIX_TITLE_BANNER_GIF must name the title banner GIF"
#endif

asm(".section .rodata\n"
    ".balign 16\n"
    ".globl korvix_title_banner_gif\n"
    "korvix_title_banner_gif:\n"
    ".incbin \"" KORVIX_TITLE_BANNER_GIF "\"\n"
    ".globl korvix_title_banner_gif_end\n"
    "korvix_title_banner_gif_end:\n"
    ".text\n");
