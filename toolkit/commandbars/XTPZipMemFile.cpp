// The packed memory file of saved command-bar controls.
#include "XTPZipMemFile.h"

#include <zlib.h>

#include <string.h>

namespace {

const BYTE kZipMagic[4] = {'Z', 'I', 'P', '!'};

} // namespace

CXTPZipMemFile::CXTPZipMemFile() : CMemFile(1024), m_bDamaged(FALSE)
{
}

CXTPZipMemFile::CXTPZipMemFile(BYTE* lpBuffer, UINT nBufferSize) : CMemFile(1024), m_bDamaged(FALSE)
{
    AttachCompressed(lpBuffer, nBufferSize, FALSE);
}

CXTPZipMemFile::~CXTPZipMemFile()
{
}

DWORD AFX_CDECL CXTPZipMemFile::GetMaxUnpackedLength(DWORD dwPackedSize)
{
    const DWORD dwLimit = 64u * 1024u * 1024u;
    if (dwPackedSize >= dwLimit / 1032u)
        return dwLimit;
    DWORD dwMax = dwPackedSize * 1032u + 64u;
    return dwMax < dwLimit ? dwMax : dwLimit;
}

DWORD AFX_CDECL CXTPZipMemFile::Unpack(const BYTE* lpPacked, DWORD dwPacked, BYTE* lpUnpacked, DWORD dwStated,
                                       BOOL* pbWhole)
{
    if (pbWhole != NULL)
        *pbWhole = FALSE;
    z_stream stream;
    memset(&stream, 0, sizeof(stream));
    if (inflateInit(&stream) != Z_OK)
        return 0;
    stream.next_in = const_cast<Bytef*>(lpPacked);
    stream.avail_in = dwPacked;
    stream.next_out = lpUnpacked;
    stream.avail_out = dwStated;
    int nResult = inflate(&stream, Z_FINISH);
    DWORD dwOut = (DWORD)stream.total_out;
    inflateEnd(&stream);
    if (nResult == Z_STREAM_END && dwOut == dwStated)
    {
        if (pbWhole != NULL)
            *pbWhole = TRUE;
        return dwOut;
    }
    // Damaged packed data: what unpacked before the damage was found is
    // kept, so that the readers can keep every object that reads back whole
    // from it; they stop where the data stops making sense.
    char szMessage[160];
    wsprintfA(szMessage, "CXTPZipMemFile: packed data is damaged (zlib %d); %lu of %lu bytes unpacked are kept\n",
              nResult, (unsigned long)dwOut, (unsigned long)dwStated);
    ::OutputDebugStringA(szMessage);
    return dwOut;
}

void CXTPZipMemFile::AttachCompressed(BYTE* lpBuffer, DWORD dwBufferSize, BOOL bAutoDelete)
{
    m_bDamaged = FALSE;
    if (lpBuffer == NULL)
        dwBufferSize = 0;

    if (dwBufferSize < 12 || memcmp(lpBuffer, kZipMagic, 4) != 0)
    {
        // Plain data: the file is the buffer as it stands.
        Attach(lpBuffer, dwBufferSize, 0);
        m_bAutoDelete = bAutoDelete && lpBuffer != NULL;
        return;
    }

    DWORD dwPacked = dwBufferSize - nHeaderSize;
    DWORD dwStated = (DWORD)lpBuffer[4] | ((DWORD)lpBuffer[5] << 8) | ((DWORD)lpBuffer[6] << 16) |
                     ((DWORD)lpBuffer[7] << 24);

    BYTE* lpUnpacked = NULL;
    DWORD dwUnpacked = 0;
    BOOL bWhole = FALSE;
    // A stated length beyond what zlib could produce from the packed bytes is
    // a lie: nothing is allocated for it.
    if (dwStated != 0 && dwStated <= GetMaxUnpackedLength(dwPacked))
    {
        lpUnpacked = Alloc(dwStated);
        if (lpUnpacked != NULL)
        {
            dwUnpacked = Unpack(lpBuffer + nHeaderSize, dwPacked, lpUnpacked, dwStated, &bWhole);
            if (dwUnpacked == 0)
            {
                Free(lpUnpacked);
                lpUnpacked = NULL;
            }
        }
    }
    else
    {
        ::OutputDebugStringA("CXTPZipMemFile: packed data states an impossible length\n");
    }

    if (bAutoDelete)
        Free(lpBuffer);

    m_bDamaged = !bWhole;
    // A broken packed buffer loads nothing: the file stays empty.
    Attach(lpUnpacked, dwUnpacked, 0);
    m_bAutoDelete = lpUnpacked != NULL;
}

BOOL CXTPZipMemFile::LoadFromFile(LPCTSTR lpszFileName)
{
    CFile file;
    if (lpszFileName == NULL || !file.Open(lpszFileName, CFile::modeRead | CFile::shareDenyWrite | CFile::typeBinary))
        return FALSE;

    BYTE* lpBuffer = NULL;
    DWORD dwLength = 0;
    try
    {
        ULONGLONG nLength = file.GetLength();
        // A controls file is small; anything beyond the exchange's block limit is not one.
        if (nLength > 64u * 1024u * 1024u)
        {
            file.Abort();
            return FALSE;
        }
        dwLength = (DWORD)nLength;
        if (dwLength > 0)
        {
            lpBuffer = Alloc(dwLength);
            if (lpBuffer == NULL)
            {
                file.Abort();
                return FALSE;
            }
            if (file.Read(lpBuffer, dwLength) != dwLength)
            {
                Free(lpBuffer);
                file.Abort();
                return FALSE;
            }
        }
        file.Close();
    }
    catch (CException* e)
    {
        e->Delete();
        if (lpBuffer != NULL)
            Free(lpBuffer);
        file.Abort();
        ::OutputDebugStringA("CXTPZipMemFile: the controls file cannot be read\n");
        return FALSE;
    }

    AttachCompressed(lpBuffer, dwLength, TRUE);
    return TRUE;
}

void CXTPZipMemFile::DetachCompressed(BYTE*& lpBuffer, DWORD& dwCount)
{
    dwCount = (DWORD)GetLength();
    lpBuffer = Detach();
    if (lpBuffer == NULL || dwCount < (DWORD)nMinPackedSize)
        return;

    BYTE* lpPacked = Alloc(dwCount + nHeaderSize);
    if (lpPacked == NULL)
        return;

    // Room for no more than the raw data: when zlib cannot make it smaller,
    // compress fails and the raw buffer is handed out.
    uLongf nPacked = dwCount;
    if (compress(lpPacked + nHeaderSize, &nPacked, lpBuffer, dwCount) != Z_OK)
    {
        Free(lpPacked);
        return;
    }

    memcpy(lpPacked, kZipMagic, 4);
    lpPacked[4] = (BYTE)(dwCount & 0xFF);
    lpPacked[5] = (BYTE)((dwCount >> 8) & 0xFF);
    lpPacked[6] = (BYTE)((dwCount >> 16) & 0xFF);
    lpPacked[7] = (BYTE)((dwCount >> 24) & 0xFF);

    Free(lpBuffer);
    lpBuffer = lpPacked;
    dwCount = (DWORD)nPacked + nHeaderSize;
}

void CXTPZipMemFile::SetFilePath(LPCTSTR lpszNewName)
{
    if (lpszNewName == NULL)
        AfxThrowInvalidArgException();
    CMemFile::SetFilePath(lpszNewName);
}
