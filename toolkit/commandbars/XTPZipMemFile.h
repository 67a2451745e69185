// A memory file whose contents may be stored packed: "ZIP!", the unpacked
// length (32-bit little-endian), then a zlib stream. Saved command-bar
// controls travel through it between the archive and the profile or the
// controls file.
#pragma once

#include <afxwin.h>

class CXTPZipMemFile : public CMemFile
{
public:
    CXTPZipMemFile();
    // Attaches the buffer, unpacking it when it is packed. The caller keeps
    // its buffer; the file owns only what it allocates itself.
    CXTPZipMemFile(BYTE* lpBuffer, UINT nBufferSize);
    virtual ~CXTPZipMemFile();

    // Packed data (at least 12 bytes starting with "ZIP!") is unpacked into a
    // buffer the file owns, and the source is freed when bAutoDelete says so.
    // Packed data whose stated length is out of bounds leaves the file empty;
    // damaged packed data leaves in it what unpacked before the damage was
    // found (and says so in a trace). Any other data is
    // attached as it stands, owned by the file exactly when bAutoDelete is set.
    // A source to be freed must come from this file's allocator (malloc).
    void AttachCompressed(BYTE* lpBuffer, DWORD dwBufferSize, BOOL bAutoDelete = FALSE);

    // TRUE when the last attached packed data did not unpack whole (an
    // impossible length, damaged data, or no room for it).
    BOOL IsDamaged() const { return m_bDamaged; }

    // Reads a whole file and attaches it with unpacking; FALSE when the file
    // cannot be opened or read.
    BOOL LoadFromFile(LPCTSTR lpszFileName);

    // Hands out the file's contents, packed when that makes them smaller (and
    // they are at least 20 bytes long). The buffer comes from malloc; the
    // file is empty afterwards.
    void DetachCompressed(BYTE*& lpBuffer, DWORD& dwCount);

    // Names the file; a null name throws CInvalidArgException.
    virtual void SetFilePath(LPCTSTR lpszNewName);

    // Raw data shorter than this is never packed.
    enum { nMinPackedSize = 20, nHeaderSize = 8 };
    // The largest unpacked length a packed buffer may state: zlib packs at
    // most about 1032:1, and nothing the command bars save comes near 64 MB.
    static DWORD AFX_CDECL GetMaxUnpackedLength(DWORD dwPackedSize);
    // Unpacks a zlib stream into a buffer of the stated length; the number of
    // bytes unpacked, all of them when the stream is whole, else those that
    // came before the damage. *pbWhole (when given) says whether the stream
    // ended cleanly, checksum included, at the stated length.
    static DWORD AFX_CDECL Unpack(const BYTE* lpPacked, DWORD dwPacked, BYTE* lpUnpacked, DWORD dwStated,
                                  BOOL* pbWhole = NULL);

private:
    BOOL m_bDamaged;
};
