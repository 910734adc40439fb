/* Compiles HLSL shaders to DXBC with vkd3d-shader and writes each as a C header
 * in the form fxc's /Fh gives ("const BYTE g_main[] = { ... };"), which is what
 * SDL's Direct3D renderers include.
 *
 *   hlsl_to_header OUT.h PROFILE SOURCE.hlsl [OUT.h PROFILE SOURCE.hlsl ...]
 *
 * The entry point is "main". Includes are read relative to the current folder,
 * so run it from the shaders' folder. Any error or warning of the compiler is
 * printed; an error fails the whole run and leaves no header of that shader. */
#include <stdio.h>
#include <stdlib.h>

#include "vkd3d_shader.h"

/* vkd3d's debug channel reads this variable (the library leaves its name to the program). */
const char *const vkd3d_dbg_env_name = "VKD3D_SHADER_DEBUG";

static int read_file(const char *path, struct vkd3d_shader_code *code)
{
    FILE *file = fopen(path, "rb");
    long size;
    void *data;

    if (!file)
    {
        fprintf(stderr, "hlsl_to_header: cannot open %s\n", path);
        return 0;
    }
    if (fseek(file, 0, SEEK_END) || (size = ftell(file)) < 0 || fseek(file, 0, SEEK_SET)
            || !(data = malloc(size ? size : 1)) || fread(data, 1, size, file) != (size_t)size)
    {
        fprintf(stderr, "hlsl_to_header: cannot read %s\n", path);
        fclose(file);
        return 0;
    }
    fclose(file);
    code->code = data;
    code->size = size;
    return 1;
}

/* Written to OUT.h.tmp first and renamed, so an interrupted run leaves no
 * header that looks complete. */
static int write_header(const char *path, const struct vkd3d_shader_code *dxbc)
{
    const unsigned char *bytes = dxbc->code;
    char temporary[4096];
    FILE *file;
    size_t i;
    int ok;

    snprintf(temporary, sizeof(temporary), "%s.tmp", path);
    if (!(file = fopen(temporary, "wb")))
    {
        fprintf(stderr, "hlsl_to_header: cannot write %s\n", temporary);
        return 0;
    }
    fprintf(file, "const BYTE g_main[] =\n{");
    for (i = 0; i < dxbc->size; ++i)
        fprintf(file, "%s%4u%s", i % 12 ? "" : "\n   ", bytes[i], i + 1 < dxbc->size ? "," : "");
    fprintf(file, "\n};\n");
    ok = !ferror(file);
    ok = !fclose(file) && ok;
    remove(path);
    if (!ok || rename(temporary, path))
    {
        fprintf(stderr, "hlsl_to_header: cannot write %s\n", path);
        remove(temporary);
        return 0;
    }
    return 1;
}

static int compile(const char *out_path, const char *profile, const char *source_path)
{
    struct vkd3d_shader_hlsl_source_info hlsl_info = {
        .type = VKD3D_SHADER_STRUCTURE_TYPE_HLSL_SOURCE_INFO,
        .entry_point = "main",
        .profile = profile,
    };
    struct vkd3d_shader_preprocess_info preprocess_info = {
        .type = VKD3D_SHADER_STRUCTURE_TYPE_PREPROCESS_INFO,
        .next = &hlsl_info,
    };
    /* fxc's defaults: column-major matrices unless the source says otherwise. */
    struct vkd3d_shader_compile_option options[] = {
        {VKD3D_SHADER_COMPILE_OPTION_API_VERSION, VKD3D_SHADER_API_VERSION_1_14},
        {VKD3D_SHADER_COMPILE_OPTION_PACK_MATRIX_ORDER, VKD3D_SHADER_COMPILE_OPTION_PACK_MATRIX_COLUMN_MAJOR},
    };
    struct vkd3d_shader_compile_info info = {
        .type = VKD3D_SHADER_STRUCTURE_TYPE_COMPILE_INFO,
        .next = &preprocess_info,
        .source_type = VKD3D_SHADER_SOURCE_HLSL,
        .target_type = VKD3D_SHADER_TARGET_DXBC_TPF,
        .options = options,
        .option_count = sizeof(options) / sizeof(options[0]),
        .log_level = VKD3D_SHADER_LOG_WARNING,
        .source_name = source_path,
    };
    struct vkd3d_shader_code dxbc = {0};
    char *messages = NULL;
    int result, ok;

    if (!read_file(source_path, &info.source))
        return 0;
    result = vkd3d_shader_compile(&info, &dxbc, &messages);
    if (messages && *messages)
        fprintf(stderr, "%s", messages);
    vkd3d_shader_free_messages(messages);
    free((void *)info.source.code);
    if (result < 0)
    {
        fprintf(stderr, "hlsl_to_header: %s (%s) failed to compile, vkd3d result %d\n", source_path, profile,
                result);
        return 0;
    }
    ok = write_header(out_path, &dxbc);
    vkd3d_shader_free_shader_code(&dxbc);
    return ok;
}

int main(int argc, char **argv)
{
    int i, ok = 1;

    if (argc < 4 || (argc - 1) % 3)
    {
        fprintf(stderr, "usage: hlsl_to_header OUT.h PROFILE SOURCE.hlsl [OUT.h PROFILE SOURCE.hlsl ...]\n");
        return 2;
    }
    for (i = 1; i < argc; i += 3)
        ok = compile(argv[i], argv[i + 1], argv[i + 2]) && ok;
    return ok ? 0 : 1;
}
