// Locale-independent value texts for data files and SQLite.
#include "platform/db/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/sysutils/datetime.h"

namespace tabulon::detail {

namespace {
bool ParseInt(std::string_view t, int64_t& v) {
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  return r.ec == std::errc() && r.ptr == t.data() + t.size() && !t.empty();
}

bool ParseReal(std::string_view t, double& v) {
  if (!t.empty() && t[0] == '+') t.remove_prefix(1);
  auto r = std::from_chars(t.data(), t.data() + t.size(), v);
  return r.ec == std::errc() && r.ptr == t.data() + t.size() && !t.empty() && std::isfinite(v);
}

bool Digits(std::string_view t, size_t pos, size_t n, int& out) {
  if (pos + n > t.size()) return false;
  out = 0;
  for (size_t i = pos; i < pos + n; ++i) {
    if (t[i] < '0' || t[i] > '9') return false;
    out = out * 10 + (t[i] - '0');
  }
  return true;
}

// Currency with up to four decimals, exactly.
bool ParseCurrency(std::string_view t, int64_t& raw) {
  bool neg = false;
  if (!t.empty() && (t[0] == '-' || t[0] == '+')) {
    neg = t[0] == '-';
    t.remove_prefix(1);
  }
  size_t dot = t.find('.');
  std::string_view whole = t.substr(0, dot),
                   frac = dot == std::string_view::npos ? "" : t.substr(dot + 1);
  if (whole.empty() && frac.empty()) return false;
  if (frac.size() > 4) return false;
  int64_t w = 0, f = 0;
  if (!whole.empty() && !ParseInt(whole, w)) return false;
  if (w < 0 || w > 922337203685477) return false;
  for (size_t i = 0; i < 4; ++i) {
    if (i < frac.size() && (frac[i] < '0' || frac[i] > '9')) return false;
    f = f * 10 + (i < frac.size() ? frac[i] - '0' : 0);
  }
  raw = w * 10000 + f;
  if (neg) raw = -raw;
  return true;
}
}  // namespace

std::string IsoDateText(double value, TFieldType type) {
  int y, m, d, hh, mm, ss, ms;
  DecodeDate(value, y, m, d);
  DecodeTime(value, hh, mm, ss, ms);
  char buf[48];
  if (type == ftDate)
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
  else if (type == ftTime)
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", hh, mm, ss);
  else
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d:%02d", y, m, d, hh, mm, ss);
  if (ms != 0 && type != ftDate) {
    size_t n = std::char_traits<char>::length(buf);
    std::snprintf(buf + n, sizeof buf - n, ".%03d", ms);
  }
  return buf;
}

bool ParseIsoDate(std::string_view t, double& value) {
  int y, m, d, hh = 0, mi = 0, ss = 0, ms = 0;
  size_t pos = 0;
  double date = 0, time = 0;
  bool haveDate = false;
  if (t.size() >= 10 && t[4] == '-' && t[7] == '-') {
    if (!Digits(t, 0, 4, y) || !Digits(t, 5, 2, m) || !Digits(t, 8, 2, d)) return false;
    if (!TryEncodeDate(y, m, d, date)) return false;
    haveDate = true;
    pos = 10;
    if (pos == t.size()) {
      value = date;
      return true;
    }
    if (t[pos] != ' ' && t[pos] != 'T') return false;
    ++pos;
  }
  if (t.size() < pos + 5 || t[pos + 2] != ':') return false;
  if (!Digits(t, pos, 2, hh) || !Digits(t, pos + 3, 2, mi)) return false;
  pos += 5;
  if (pos < t.size() && t[pos] == ':') {
    if (!Digits(t, pos + 1, 2, ss)) return false;
    pos += 3;
    if (pos < t.size() && t[pos] == '.') {
      size_t n = t.size() - pos - 1;
      if (n == 0 || n > 3 || !Digits(t, pos + 1, n, ms)) return false;
      for (size_t i = n; i < 3; ++i) ms *= 10;
      pos = t.size();
    }
  }
  if (pos != t.size()) return false;
  if (!TryEncodeTime(hh, mi, ss, ms, time)) return false;
  value = haveDate ? (date < 0 ? date - time : date + time) : time;
  return true;
}

std::string StoredValueText(const TRecordStore& store, uint32_t slot, int col, TFieldType type) {
  if (store.IsNull(slot, col)) return {};
  switch (store.Column(col).Kind) {
    case TStorageKind::Text:
    case TStorageKind::Blob:
      return std::string(store.GetText(slot, col));
    case TStorageKind::Double: {
      double v = store.GetDouble(slot, col);
      if (type == ftDate || type == ftTime || type == ftDateTime) return IsoDateText(v, type);
      char buf[32];
      auto r = std::to_chars(buf, buf + sizeof buf, v);
      return std::string(buf, r.ptr);
    }
    case TStorageKind::Currency: {
      int64_t raw = store.GetInt(slot, col);
      uint64_t a = raw < 0 ? uint64_t(0) - static_cast<uint64_t>(raw) : static_cast<uint64_t>(raw);
      char buf[40];
      std::snprintf(buf, sizeof buf, "%s%llu.%04llu", raw < 0 ? "-" : "",
                    static_cast<unsigned long long>(a / 10000),
                    static_cast<unsigned long long>(a % 10000));
      return buf;
    }
    case TStorageKind::Bool:
      return store.GetBool(slot, col) ? "1" : "0";
    default:
      return std::to_string(store.GetInt(slot, col));
  }
}

bool ParseStoredValue(TRecordStore& store, uint32_t slot, int col, TFieldType type,
                      std::string_view t) {
  switch (store.Column(col).Kind) {
    case TStorageKind::Text:
    case TStorageKind::Blob:
      store.SetText(slot, col, t);
      return true;
    case TStorageKind::Double: {
      double v;
      if (type == ftDate || type == ftTime || type == ftDateTime) {
        if (ParseIsoDate(t, v)) {
          store.SetDouble(slot, col, v);
          return true;
        }
      }
      if (!ParseReal(t, v)) return false;
      store.SetDouble(slot, col, v);
      return true;
    }
    case TStorageKind::Currency: {
      int64_t raw;
      if (!ParseCurrency(t, raw)) return false;
      store.SetInt(slot, col, raw);
      return true;
    }
    case TStorageKind::Bool: {
      if (t == "1" || t == "true" || t == "True" || t == "TRUE") {
        store.SetBool(slot, col, true);
        return true;
      }
      if (t == "0" || t == "false" || t == "False" || t == "FALSE") {
        store.SetBool(slot, col, false);
        return true;
      }
      return false;
    }
    default: {
      int64_t v;
      if (!ParseInt(t, v)) return false;
      int64_t lo = INT32_MIN, hi = INT32_MAX;
      if (type == ftSmallint) lo = -32768, hi = 32767;
      if (type == ftWord) lo = 0, hi = 65535;
      if (type == ftLargeint) lo = INT64_MIN, hi = INT64_MAX;
      if (v < lo || v > hi) return false;
      store.SetInt(slot, col, v);
      return true;
    }
  }
}

}  // namespace tabulon::detail
