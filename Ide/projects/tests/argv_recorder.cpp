// Records how it was started: its command line and its arguments, one per line, into
// argv_log.txt beside itself. The execute tests start it in place of an interpreter.
#include <windows.h>
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    char szPath[MAX_PATH];
    GetModuleFileNameA(NULL, szPath, MAX_PATH);
    char* pSlash = strrchr(szPath, '\\');
    if (pSlash == NULL)
        return 1;
    strcpy(pSlash + 1, "argv_log.tmp");
    FILE* pFile = fopen(szPath, "wb");
    if (pFile == NULL)
        return 2;
    fprintf(pFile, "cmdline=%s\n", GetCommandLineA());
    for (int i = 0; i < argc; i++)
        fprintf(pFile, "argv[%d]=%s\n", i, argv[i]);
    fclose(pFile);
    // Appears whole or not at all for the test that polls for it.
    char szFinal[MAX_PATH];
    strcpy(szFinal, szPath);
    strcpy(strrchr(szFinal, '\\') + 1, "argv_log.txt");
    MoveFileExA(szPath, szFinal, MOVEFILE_REPLACE_EXISTING);
    return 0;
}
