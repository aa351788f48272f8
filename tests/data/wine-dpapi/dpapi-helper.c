/* Runs Wine's own CryptProtectData / CryptUnprotectData for make-blobs.sh, so
 * the committed blobs come from Wine and our blobs are judged by Wine.
 *
 * Build: x86_64-w64-mingw32-gcc -O2 -o dpapi-helper.exe dpapi-helper.c -lcrypt32
 *
 * Usage (paths relative to the working folder; results go to files because
 * Wine keeps inherited pipes open for seconds):
 *   dpapi-helper user OUT
 *       writes the bytes GetUserNameA returns (without terminator)
 *   dpapi-helper batch LIST RESULTS
 *       LIST has one job a line, fields separated by one space:
 *         protect PLAIN ENTROPY OUTBLOB [DESCRIPTION]
 *         unprotect BLOB ENTROPY OUTPLAIN
 *       ENTROPY is a file name, or "-" for no entropy (a null pointer).
 *       DESCRIPTION is ASCII text, the rest of the line.
 *       RESULTS gets one line per job: "ok" or "fail <GetLastError>".
 */
#include <windows.h>
/* wincrypt.h needs windows.h first. */
#include <wincrypt.h>

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

static BOOL read_file(const char* path, DATA_BLOB* blob) {
    FILE* f = fopen(path, "rb");
    long size;
    blob->cbData = 0;
    blob->pbData = NULL;
    if (!f)
        return FALSE;
    fseek(f, 0, SEEK_END);
    size = ftell(f);
    fseek(f, 0, SEEK_SET);
    /* One spare byte so an empty file still gets a real pointer. */
    blob->pbData = malloc((size_t)size + 1);
    if (!blob->pbData || fread(blob->pbData, 1, (size_t)size, f) != (size_t)size) {
        fclose(f);
        return FALSE;
    }
    blob->cbData = (DWORD)size;
    fclose(f);
    return TRUE;
}

static BOOL write_file(const char* path, const BYTE* data, DWORD size) {
    FILE* f = fopen(path, "wb");
    BOOL ok;
    if (!f)
        return FALSE;
    ok = fwrite(data, 1, size, f) == size;
    return fclose(f) == 0 && ok;
}

static const char* run_job(char* line, char* error, size_t errorSize) {
    char* verb = strtok(line, " ");
    char* in = strtok(NULL, " ");
    char* entropyPath = strtok(NULL, " ");
    char* out = strtok(NULL, " ");
    char* rest = strtok(NULL, "");
    DATA_BLOB input, entropy, output;
    DATA_BLOB* entropyArg = NULL;
    BOOL ok;

    if (!verb || !in || !entropyPath || !out)
        return "fail bad-job";
    if (!read_file(in, &input))
        return "fail no-input";
    if (strcmp(entropyPath, "-") != 0) {
        if (!read_file(entropyPath, &entropy))
            return "fail no-entropy";
        entropyArg = &entropy;
    }
    output.cbData = 0;
    output.pbData = NULL;
    SetLastError(0);
    if (strcmp(verb, "protect") == 0) {
        WCHAR description[256];
        WCHAR* descriptionArg = NULL;
        if (rest && *rest) {
            MultiByteToWideChar(CP_ACP, 0, rest, -1, description, 256);
            description[255] = 0;
            descriptionArg = description;
        }
        ok = CryptProtectData(&input, descriptionArg, entropyArg, NULL, NULL, 0, &output);
    } else if (strcmp(verb, "unprotect") == 0) {
        ok = CryptUnprotectData(&input, NULL, entropyArg, NULL, NULL, 0, &output);
    } else {
        return "fail bad-verb";
    }
    if (!ok) {
        snprintf(error, errorSize, "fail %lu", (unsigned long)GetLastError());
        return error;
    }
    if (!write_file(out, output.pbData, output.cbData))
        return "fail no-output";
    LocalFree(output.pbData);
    return "ok";
}

int main(int argc, char** argv) {
    if (argc == 3 && strcmp(argv[1], "user") == 0) {
        char name[512];
        DWORD size = sizeof(name);
        if (!GetUserNameA(name, &size))
            return 1;
        /* size counts the terminator. */
        return write_file(argv[2], (const BYTE*)name, size - 1) ? 0 : 1;
    }
    if (argc == 4 && strcmp(argv[1], "batch") == 0) {
        FILE* list = fopen(argv[2], "rb");
        FILE* results = fopen(argv[3], "wb");
        char line[4096];
        char error[64];
        if (!list || !results)
            return 1;
        while (fgets(line, sizeof(line), list)) {
            line[strcspn(line, "\r\n")] = 0;
            if (!*line)
                continue;
            fprintf(results, "%s\n", run_job(line, error, sizeof(error)));
        }
        fclose(list);
        return fclose(results) == 0 ? 0 : 1;
    }
    fprintf(stderr, "usage: dpapi-helper user OUT | batch LIST RESULTS\n");
    return 2;
}
