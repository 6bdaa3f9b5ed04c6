// Times the operations the IDE leans on: string building, map lookups, array growth
// and archive streaming through a memory file.
#include <afxcoll.h>

#include <stdio.h>

namespace {

double Seconds()
{
    static LARGE_INTEGER s_freq = [] { LARGE_INTEGER f; ::QueryPerformanceFrequency(&f); return f; }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return (double)now.QuadPart / (double)s_freq.QuadPart;
}

template<class F>
void Measure(const char* pszName, int nOps, F f)
{
    double t0 = Seconds();
    f();
    double dt = Seconds() - t0;
    printf("%-44s %10.1f ms %12.0f ops/s\n", pszName, dt * 1000.0, nOps / (dt > 0 ? dt : 1e-9));
}

volatile size_t g_sink;

} // namespace

int main()
{
    const int N = 1000000;
    Measure("CString += char (1M)", N, [] {
        CString s;
        for (int i = 0; i < N; ++i)
            s += 'x';
        g_sink = s.GetLength();
    });
    Measure("CString copy + modify (1M)", N, [] {
        CString base("a shared line of Lua source text");
        size_t n = 0;
        for (int i = 0; i < N; ++i)
        {
            CString copy = base;
            copy.SetAt(0, 'A');
            n += copy.GetLength();
        }
        g_sink = n;
    });
    Measure("CString::Format \"%s:%d\" (200k)", 200000, [] {
        CString s;
        size_t n = 0;
        for (int i = 0; i < 200000; ++i)
        {
            s.Format("%s:%d", "file.lua", i);
            n += s.GetLength();
        }
        g_sink = n;
    });
    Measure("CString::CompareNoCase (1M)", N, [] {
        CString a("Vorn-command-manager-profile"), b("VORN-COMMAND-MANAGER-PROFILE");
        int n = 0;
        for (int i = 0; i < N; ++i)
            n += a.CompareNoCase(b) == 0;
        g_sink = n;
    });
    Measure("CArray<DWORD>::Add (1M)", N, [] {
        CDWordArray a;
        for (int i = 0; i < N; ++i)
            a.Add((DWORD)i);
        g_sink = a.GetSize();
    });
    Measure("CMap<UINT> insert+lookup, 4093 buckets (200k)", 200000, [] {
        CMap<UINT, UINT, void*, void*> map;
        map.InitHashTable(4093);
        for (UINT i = 0; i < 100000; ++i)
            map[i * 16] = NULL;
        void* p;
        size_t n = 0;
        for (UINT i = 0; i < 100000; ++i)
            n += map.Lookup(i * 16, p);
        g_sink = n;
    });
    Measure("CMapStringToPtr insert+lookup, 17 buckets (20k)", 20000, [] {
        CMapStringToPtr map;
        CString key;
        for (int i = 0; i < 10000; ++i)
        {
            key.Format("profile%d", i);
            map[key] = NULL;
        }
        void* p;
        size_t n = 0;
        for (int i = 0; i < 10000; ++i)
        {
            key.Format("profile%d", i);
            n += map.Lookup(key, p);
        }
        g_sink = n;
    });
    Measure("CArchive store+load 1M DWORD via CMemFile", 2 * N, [] {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            for (int i = 0; i < N; ++i)
                ar << (DWORD)i;
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        DWORD dw, sum = 0;
        for (int i = 0; i < N; ++i)
        {
            ar >> dw;
            sum += dw;
        }
        g_sink = sum;
    });
    Measure("CArchive store+load 200k strings via CMemFile", 400000, [] {
        CMemFile file;
        CString text("a usage record name");
        {
            CArchive ar(&file, CArchive::store);
            for (int i = 0; i < 200000; ++i)
                ar << text;
            ar.Close();
        }
        file.SeekToBegin();
        CArchive ar(&file, CArchive::load);
        CString s;
        size_t n = 0;
        for (int i = 0; i < 200000; ++i)
        {
            ar >> s;
            n += s.GetLength();
        }
        g_sink = n;
    });
    return 0;
}
