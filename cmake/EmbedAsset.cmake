# quorl_embed_asset(TARGET SYMBOL FILE): links FILE into TARGET as constant data
# through the assembler's .incbin. C++ sees `const unsigned char SYMBOL[]`,
# followed by a zero byte, and `const std::size_t SYMBOL_SIZE` without it.
# The same text serves ELF (Linux), WebAssembly (the browser) and PE/COFF
# (Windows); the assembler's own macros pick the object format's directives:
# how a read-only section is declared, and whether a symbol has a type and size.
function(quorl_embed_asset target symbol file)
  set(asm "${CMAKE_CURRENT_BINARY_DIR}/embedded/${symbol}.S")
  file(CONFIGURE OUTPUT "${asm}" @ONLY CONTENT [[
#if defined(__wasm__)
    .section .rodata.@symbol@,"",@
#define OBJECT_TYPE(name) .type name, @object
#define OBJECT_SIZE(name, length) .size name, length
#elif defined(_WIN32)
    .section .rdata$@symbol@,"dr"
#define OBJECT_TYPE(name)
#define OBJECT_SIZE(name, length)
#else
    .section .rodata.@symbol@,"a",@progbits
#define OBJECT_TYPE(name) .type name, @object
#define OBJECT_SIZE(name, length) .size name, length
#endif
    .globl @symbol@
    OBJECT_TYPE(@symbol@)
    .p2align 4
@symbol@:
    .incbin "@file@"
    .byte 0
.L@symbol@_end:
    OBJECT_SIZE(@symbol@, .L@symbol@_end - @symbol@)

    .globl @symbol@_SIZE
    OBJECT_TYPE(@symbol@_SIZE)
    .p2align 3
@symbol@_SIZE:
#if __SIZEOF_SIZE_T__ == 8
    .quad .L@symbol@_end - @symbol@ - 1
#else
    .long .L@symbol@_end - @symbol@ - 1
#endif
    OBJECT_SIZE(@symbol@_SIZE, __SIZEOF_SIZE_T__)

#ifdef __ELF__
    .section .note.GNU-stack,"",@progbits
#endif
]])
  set_source_files_properties("${asm}" PROPERTIES OBJECT_DEPENDS "${file}")
  target_sources(${target} PRIVATE "${asm}")
endfunction()
