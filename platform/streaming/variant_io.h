// Variants in the filer's value encoding: published Variant properties and
// free-standing variant items. Each kind keeps its tag (Null, integer kinds,
// single, extended, currency, date, boolean, string, arrays as lists).
#pragma once

#include "platform/streaming/reader.h"
#include "platform/streaming/writer.h"
#include "platform/variants/variant.h"

namespace tabulon {

/// Writes `value`: empty as vaNil, Null as vaNull, smallint and byte as
/// vaInt16, integer as vaInt32, int64 as vaInt64, single, double as extended,
/// currency, date, boolean, string, one-dimensional arrays as lists.
/// An opaque type code raises EWriteError "Stream write error".
void WriteVariant(TWriter* writer, const Variant& value);
/// Reads a variant item written by WriteVariant (vaInt8 reads as smallint);
/// EReadError "Invalid property value" for items no variant holds.
Variant ReadVariant(TReader* reader);

}  // namespace tabulon
