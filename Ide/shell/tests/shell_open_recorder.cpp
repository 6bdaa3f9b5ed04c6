// Stands in for the IDE when the shell opens a file: appends the command line it was
// started with to "recorded.txt" beside itself, one line per start.
#include <windows.h>

#include <stdio.h>
#include <string.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char szPath[MAX_PATH] = "";
    ::GetModuleFileNameA(NULL, szPath, MAX_PATH);
    char* pszSlash = strrchr(szPath, '\\');
    if (pszSlash == NULL)
        return 1;
    strcpy(pszSlash + 1, "recorded.txt");
    FILE* pFile = fopen(szPath, "ab");
    if (pFile == NULL)
        return 1;
    fprintf(pFile, "%s\n", ::GetCommandLineA());
    fclose(pFile);
    return 0;
}
