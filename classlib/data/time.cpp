// CTime/CTimeSpan and COleDateTime/COleDateTimeSpan.
#include "afx.h"

#include <math.h>
#include <vector>

namespace {

// Days from 1 January 1970 to the given date of the proleptic Gregorian calendar.
long long DaysFromCivil(long long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = (unsigned)(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + (long long)doe - 719468;
}

void CivilFromDays(long long z, int& y, int& m, int& d)
{
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = (unsigned)(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = (long long)yoe + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = (int)(doy - (153 * mp + 2) / 5 + 1);
    m = (int)(mp < 10 ? mp + 3 : mp - 9);
    y = (int)(yy + (m <= 2));
}

bool IsLeapYear(int y)
{
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

int DaysInMonth(int y, int m)
{
    static const int s_days[12] = { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return (m == 2 && IsLeapYear(y)) ? 29 : s_days[m - 1];
}

// 30 December 1899, the day 0 of OLE dates, counted from 1970.
const long long kOleEpochDays = -25569;
// Range the class accepts: 1 January 100 to 31 December 9999.
const double kMinDate = -657434.0;
const double kMaxDate = 2958465.99999999;

// An OLE DATE keeps the time of day as a positive fraction even for days
// before the epoch (-1.25 is 29 Dec 1899 06:00).  Seconds on a plain time line:
long long DateToSeconds(double dt)
{
    double days = dt < 0 ? ceil(dt) : floor(dt);
    double frac = fabs(dt - days);
    return (long long)days * 86400 + (long long)floor(frac * 86400.0 + 0.5);
}

double SecondsToDate(long long seconds)
{
    long long days = seconds >= 0 ? seconds / 86400 : -((-seconds + 86399) / 86400);
    long long sod = seconds - days * 86400;
    double frac = (double)sod / 86400.0;
    return days >= 0 ? (double)days + frac : (double)days - frac;
}

// Linear day value (fractional days on a plain time line) for comparisons.
double DateToLinear(double dt)
{
    double days = dt < 0 ? ceil(dt) : floor(dt);
    double frac = fabs(dt - days);
    return days + frac;
}

double LinearToDate(double lin)
{
    double days = floor(lin);
    double frac = lin - days;
    return days >= 0 ? days + frac : days - frac;
}

struct DateParts
{
    int year, month, day, hour, minute, second, dayOfWeek, dayOfYear;
};

bool SplitDate(double dt, DateParts& parts)
{
    if (!(dt >= kMinDate && dt <= kMaxDate))
        return false;
    long long secs = DateToSeconds(dt);
    long long days = secs >= 0 ? secs / 86400 : -((-secs + 86399) / 86400);
    long long sod = secs - days * 86400;
    long long civil = days + kOleEpochDays;
    CivilFromDays(civil, parts.year, parts.month, parts.day);
    parts.hour = (int)(sod / 3600);
    parts.minute = (int)(sod / 60 % 60);
    parts.second = (int)(sod % 60);
    long long wd = (civil + 4) % 7;   // 1 January 1970 was a Thursday
    if (wd < 0)
        wd += 7;
    parts.dayOfWeek = (int)wd + 1;
    parts.dayOfYear = (int)(civil - DaysFromCivil(parts.year, 1, 1)) + 1;
    return true;
}

bool MakeDate(int y, int mo, int d, int h, int mi, int s, double& dt)
{
    if (y < 100 || y > 9999 || mo < 1 || mo > 12 || d < 1 || d > DaysInMonth(y, mo) || h < 0 || h > 23 ||
        mi < 0 || mi > 59 || s < 0 || s > 59)
        return false;
    long long days = DaysFromCivil(y, (unsigned)mo, (unsigned)d) - kOleEpochDays;
    dt = SecondsToDate(days * 86400 + h * 3600 + mi * 60 + s);
    return true;
}

// strftime into a CString of any length.
CString FormatTm(LPCTSTR pFormat, const struct tm& t)
{
    if (pFormat == NULL || *pFormat == '\0')
        return CString();
    std::vector<char> buf(256);
    for (;;)
    {
        size_t n = strftime(&buf[0], buf.size(), pFormat, &t);
        if (n > 0)
            return CString(&buf[0], (int)n);
        if (buf.size() >= 65536)
            return CString();
        buf.resize(buf.size() * 4);
    }
}

void PartsToTm(const DateParts& parts, struct tm& t)
{
    memset(&t, 0, sizeof(t));
    t.tm_year = parts.year - 1900;
    t.tm_mon = parts.month - 1;
    t.tm_mday = parts.day;
    t.tm_hour = parts.hour;
    t.tm_min = parts.minute;
    t.tm_sec = parts.second;
    t.tm_wday = parts.dayOfWeek - 1;
    t.tm_yday = parts.dayOfYear - 1;
    t.tm_isdst = -1;
}

bool TimeToTm(__time64_t time, struct tm& t, bool bLocal)
{
    if (time < 0)
        return false;
    struct tm* p = bLocal ? _localtime64(&time) : _gmtime64(&time);
    if (p == NULL)
        return false;
    t = *p;
    return true;
}

} // namespace

// CTimeSpan

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString result;
    if (pFormat == NULL)
        return result;
    for (LPCTSTR p = pFormat; *p != '\0'; ++p)
    {
        if (*p != '%' || p[1] == '\0')
        {
            result += *p;
            continue;
        }
        ++p;
        switch (*p)
        {
        case '%':
            result += '%';
            break;
        case 'D':
            result.AppendFormat("%I64d", GetDays());
            break;
        case 'H':
            result.AppendFormat("%02ld", GetHours());
            break;
        case 'M':
            result.AppendFormat("%02ld", GetMinutes());
            break;
        case 'S':
            result.AppendFormat("%02ld", GetSeconds());
            break;
        default:
            result += '%';
            result += *p;
            break;
        }
    }
    return result;
}

// CTime

CTime PASCAL CTime::GetCurrentTime()
{
    return CTime(_time64(NULL));
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    struct tm t;
    memset(&t, 0, sizeof(t));
    t.tm_year = nYear - 1900;
    t.tm_mon = nMonth - 1;
    t.tm_mday = nDay;
    t.tm_hour = nHour;
    t.tm_min = nMin;
    t.tm_sec = nSec;
    t.tm_isdst = nDST;
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 ||
        nMin < 0 || nMin > 59 || nSec < 0 || nSec > 61)
        m_time = -1;
    else
        m_time = _mktime64(&t);
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
{
    *this = CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST);
}

CTime::CTime(const FILETIME& ft, int nDST)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!::FileTimeToLocalFileTime(&ft, &local) || !::FileTimeToSystemTime(&local, &st))
        m_time = -1;
    else
        *this = CTime(st, nDST);
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    if (ptm == NULL)
        return NULL;
    return TimeToTm(m_time, *ptm, false) ? ptm : NULL;
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    if (ptm == NULL)
        return NULL;
    return TimeToTm(m_time, *ptm, true) ? ptm : NULL;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm t;
    if (!TimeToTm(m_time, t, true))
        return FALSE;
    st.wYear = (WORD)(t.tm_year + 1900);
    st.wMonth = (WORD)(t.tm_mon + 1);
    st.wDay = (WORD)t.tm_mday;
    st.wHour = (WORD)t.tm_hour;
    st.wMinute = (WORD)t.tm_min;
    st.wSecond = (WORD)t.tm_sec;
    st.wDayOfWeek = (WORD)t.tm_wday;
    st.wMilliseconds = 0;
    return TRUE;
}

int CTime::GetYear() const { struct tm t; return TimeToTm(m_time, t, true) ? t.tm_year + 1900 : -1; }
int CTime::GetMonth() const { struct tm t; return TimeToTm(m_time, t, true) ? t.tm_mon + 1 : -1; }
int CTime::GetDay() const { struct tm t; return TimeToTm(m_time, t, true) ? t.tm_mday : -1; }
int CTime::GetHour() const { struct tm t; return TimeToTm(m_time, t, true) ? t.tm_hour : -1; }
int CTime::GetMinute() const { struct tm t; return TimeToTm(m_time, t, true) ? t.tm_min : -1; }
int CTime::GetSecond() const { struct tm t; return TimeToTm(m_time, t, true) ? t.tm_sec : -1; }
int CTime::GetDayOfWeek() const { struct tm t; return TimeToTm(m_time, t, true) ? t.tm_wday + 1 : -1; }

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm t;
    if (!TimeToTm(m_time, t, true))
        return CString();
    return FormatTm(pFormat, t);
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm t;
    if (!TimeToTm(m_time, t, false))
        return CString();
    return FormatTm(pFormat, t);
}

// COleDateTimeSpan

LONG COleDateTimeSpan::GetHours() const
{
    long long secs = (long long)floor(fabs(m_span) * 86400.0 + 0.5);
    LONG n = (LONG)(secs / 3600 % 24);
    return m_span < 0 ? -n : n;
}

LONG COleDateTimeSpan::GetMinutes() const
{
    long long secs = (long long)floor(fabs(m_span) * 86400.0 + 0.5);
    LONG n = (LONG)(secs / 60 % 60);
    return m_span < 0 ? -n : n;
}

LONG COleDateTimeSpan::GetSeconds() const
{
    long long secs = (long long)floor(fabs(m_span) * 86400.0 + 0.5);
    LONG n = (LONG)(secs % 60);
    return m_span < 0 ? -n : n;
}

// COleDateTime

COleDateTime PASCAL COleDateTime::GetCurrentTime()
{
    SYSTEMTIME st;
    ::GetLocalTime(&st);
    return COleDateTime(st);
}

COleDateTime::COleDateTime(const VARIANT& varSrc) : m_dt(0), m_status(valid)
{
    *this = varSrc;
}

COleDateTime::COleDateTime(__time64_t timeSrc) : m_dt(0), m_status(valid)
{
    *this = timeSrc;
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc) : m_dt(0), m_status(valid)
{
    *this = systimeSrc;
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc) : m_dt(0), m_status(valid)
{
    *this = filetimeSrc;
}

COleDateTime& COleDateTime::operator=(const VARIANT& varSrc)
{
    if (varSrc.vt == VT_DATE)
    {
        m_dt = varSrc.date;
        m_status = valid;
        return *this;
    }
    if (varSrc.vt == VT_NULL)
    {
        m_dt = 0;
        m_status = null;
        return *this;
    }
    VARIANT varTemp;
    ::VariantInit(&varTemp);
    if (SUCCEEDED(::VariantChangeType(&varTemp, const_cast<VARIANT*>(&varSrc), 0, VT_DATE)))
    {
        m_dt = varTemp.date;
        m_status = valid;
    }
    else
    {
        m_dt = 0;
        m_status = invalid;
    }
    ::VariantClear(&varTemp);
    return *this;
}

COleDateTime& COleDateTime::operator=(const SYSTEMTIME& st)
{
    SetDateTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond);
    return *this;
}

COleDateTime& COleDateTime::operator=(const FILETIME& ft)
{
    SYSTEMTIME st;
    if (::FileTimeToSystemTime(&ft, &st))
        *this = st;
    else
        m_status = invalid;
    return *this;
}

COleDateTime& COleDateTime::operator=(__time64_t timeSrc)
{
    struct tm t;
    if (TimeToTm(timeSrc, t, true))
        SetDateTime(t.tm_year + 1900, t.tm_mon + 1, t.tm_mday, t.tm_hour, t.tm_min, t.tm_sec);
    else
        m_status = invalid;
    return *this;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    DateParts parts;
    if (m_status != valid || !SplitDate(m_dt, parts))
        return FALSE;
    st.wYear = (WORD)parts.year;
    st.wMonth = (WORD)parts.month;
    st.wDay = (WORD)parts.day;
    st.wHour = (WORD)parts.hour;
    st.wMinute = (WORD)parts.minute;
    st.wSecond = (WORD)parts.second;
    st.wDayOfWeek = (WORD)(parts.dayOfWeek - 1);
    st.wMilliseconds = 0;
    return TRUE;
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    double dt;
    if (MakeDate(nYear, nMonth, nDay, nHour, nMin, nSec, dt))
    {
        m_dt = dt;
        m_status = valid;
        return 0;
    }
    m_dt = 0;
    m_status = invalid;
    return 1;
}

#define BM_OLEDATE_PART(name, field) \
    int COleDateTime::name() const \
    { \
        DateParts parts; \
        if (m_status != valid || !SplitDate(m_dt, parts)) \
            return AFX_OLE_DATETIME_ERROR; \
        return parts.field; \
    }
BM_OLEDATE_PART(GetYear, year)
BM_OLEDATE_PART(GetMonth, month)
BM_OLEDATE_PART(GetDay, day)
BM_OLEDATE_PART(GetHour, hour)
BM_OLEDATE_PART(GetMinute, minute)
BM_OLEDATE_PART(GetSecond, second)
BM_OLEDATE_PART(GetDayOfWeek, dayOfWeek)
BM_OLEDATE_PART(GetDayOfYear, dayOfYear)
#undef BM_OLEDATE_PART

bool COleDateTime::operator==(const COleDateTime& date) const
{
    if (m_status != date.m_status)
        return false;
    if (m_status == valid)
        return m_dt == date.m_dt;
    return m_status == null;
}

bool COleDateTime::operator<(const COleDateTime& date) const
{
    if (m_status == valid && date.m_status == valid)
        return DateToLinear(m_dt) < DateToLinear(date.m_dt);
    return m_status < date.m_status;
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& dateSpan) const
{
    COleDateTime result;
    if (m_status != valid || dateSpan.m_status != COleDateTimeSpan::valid)
    {
        result.m_status = (m_status == null || dateSpan.m_status == COleDateTimeSpan::null) ? null : invalid;
        return result;
    }
    double dt = LinearToDate(DateToLinear(m_dt) + dateSpan.m_span);
    result.m_dt = dt;
    result.m_status = (dt >= kMinDate && dt <= kMaxDate) ? valid : invalid;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& dateSpan) const
{
    COleDateTimeSpan negated(-dateSpan.m_span);
    negated.m_status = dateSpan.m_status;
    return *this + negated;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& date) const
{
    COleDateTimeSpan span;
    if (m_status != valid || date.m_status != valid)
    {
        span.m_status = (m_status == null || date.m_status == null) ? COleDateTimeSpan::null
                                                                    : COleDateTimeSpan::invalid;
        return span;
    }
    span.m_span = DateToLinear(m_dt) - DateToLinear(date.m_dt);
    return span;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString("Invalid DateTime");
    BSTR bstr = NULL;
    if (SUCCEEDED(::VarBstrFromDate(m_dt, lcid, dwFlags, &bstr)) && bstr != NULL)
    {
        CString result(bstr, (int)::SysStringLen(bstr));
        ::SysFreeString(bstr);
        return result;
    }
    // The system could not format it: use a fixed form.
    DateParts parts;
    if (!SplitDate(m_dt, parts))
        return CString("Invalid DateTime");
    CString result;
    bool bTime = parts.hour != 0 || parts.minute != 0 || parts.second != 0;
    bool bDate = !(parts.year == 1899 && parts.month == 12 && parts.day == 30);
    if ((dwFlags & VAR_TIMEVALUEONLY) != 0)
        bDate = false, bTime = true;
    if ((dwFlags & VAR_DATEVALUEONLY) != 0)
        bDate = true, bTime = false;
    if (!bDate && !bTime)
        bDate = true;
    if (bDate)
        result.Format("%d/%d/%d", parts.month, parts.day, parts.year);
    if (bTime)
    {
        if (bDate)
            result += ' ';
        result.AppendFormat("%d:%02d:%02d", parts.hour, parts.minute, parts.second);
    }
    return result;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
    if (m_status == null)
        return CString();
    DateParts parts;
    if (m_status != valid || !SplitDate(m_dt, parts))
        return CString("Invalid DateTime");
    struct tm t;
    PartsToTm(parts, t);
    return FormatTm(lpszFormat, t);
}

CString COleDateTime::Format(UINT nFormatID) const
{
    CString strFormat;
    strFormat.LoadString(nFormatID);
    return Format((LPCTSTR)strFormat);
}

namespace {

// Reads an unsigned number of 1..nMaxDigits digits.
bool ReadNumber(LPCTSTR& p, int nMaxDigits, int& value)
{
    int n = 0;
    value = 0;
    while (*p >= '0' && *p <= '9' && n < nMaxDigits)
    {
        value = value * 10 + (*p - '0');
        ++p;
        ++n;
    }
    return n > 0 && !(*p >= '0' && *p <= '9');
}

void SkipSpaces(LPCTSTR& p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
}

// "hh:mm[:ss] [AM|PM]"
bool ParseTime(LPCTSTR& p, int& h, int& mi, int& s)
{
    s = 0;
    if (!ReadNumber(p, 2, h) || *p != ':')
        return false;
    ++p;
    if (!ReadNumber(p, 2, mi))
        return false;
    if (*p == ':')
    {
        ++p;
        if (!ReadNumber(p, 2, s))
            return false;
    }
    SkipSpaces(p);
    if ((p[0] == 'A' || p[0] == 'a' || p[0] == 'P' || p[0] == 'p') && (p[1] == 'M' || p[1] == 'm'))
    {
        bool bPM = p[0] == 'P' || p[0] == 'p';
        if (h < 1 || h > 12)
            return false;
        h = (h % 12) + (bPM ? 12 : 0);
        p += 2;
    }
    return true;
}

} // namespace

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    if (lpszDate == NULL)
    {
        m_status = invalid;
        return FALSE;
    }
    LPCTSTR p = lpszDate;
    SkipSpaces(p);
    int y = 1899, mo = 12, d = 30, h = 0, mi = 0, s = 0;
    bool bParsed = false;
    {
        LPCTSTR q = p;
        int a, b, c;
        if (ReadNumber(q, 4, a))
        {
            if (*q == '-' && (q - p) == 4)
            {
                // yyyy-mm-dd
                ++q;
                if (ReadNumber(q, 2, b) && *q == '-' && (++q, ReadNumber(q, 2, c)))
                {
                    y = a, mo = b, d = c;
                    bParsed = true;
                }
            }
            else if (*q == '/')
            {
                // mm/dd/yyyy
                ++q;
                if (ReadNumber(q, 2, b) && *q == '/' && (++q, ReadNumber(q, 4, c)))
                {
                    mo = a, d = b, y = c;
                    bParsed = true;
                }
            }
            if (bParsed)
            {
                SkipSpaces(q);
                if (*q == 'T')
                    ++q;
                if (*q != '\0')
                    bParsed = ParseTime(q, h, mi, s);
            }
            else
            {
                q = p;
                bParsed = ParseTime(q, h, mi, s);
            }
            if (bParsed)
            {
                SkipSpaces(q);
                bParsed = *q == '\0';
            }
        }
    }
    if (bParsed)
    {
        if ((dwFlags & VAR_TIMEVALUEONLY) != 0)
            y = 1899, mo = 12, d = 30;
        if ((dwFlags & VAR_DATEVALUEONLY) != 0)
            h = mi = s = 0;
        if (SetDateTime(y, mo, d, h, mi, s) == 0)
            return TRUE;
        return FALSE;
    }

    // Anything else goes to the system's parser.
    CString str(lpszDate);
    BSTR bstr = str.AllocSysString();
    DATE dt = 0;
    HRESULT hr = ::VarDateFromStr(bstr, lcid, dwFlags, &dt);
    ::SysFreeString(bstr);
    if (FAILED(hr))
    {
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    m_dt = dt;
    m_status = valid;
    return TRUE;
}
