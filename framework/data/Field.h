// TField: one column of an open query, read and written by name through
// TADOQuery::FieldByName. Reading gives the current row's value as a variant: null for a
// null field and when the query has no current row.
#pragma once

#include "framework/core/Variant.h"

#include <string>

class TADOQuery;

class TField {
public:
    TField(TADOQuery* DataSet, int Index, std::string FieldName)
        : FDataSet(DataSet), FIndex(Index), FFieldName(std::move(FieldName)) {}

    const std::string& FieldName() const { return FFieldName; }
    int Index() const { return FIndex; }
    // Texts come back in code page 936. Converting a null value to text (AsString on the
    // variant) raises EConvertError, which callers rely on to stop at a missing value.
    TVariant Value() const;
    bool IsNull() const { return Value().IsNull(); }
    // Only while a new row is being appended (TADOQuery::Append); EDatabaseError otherwise.
    void SetValue(const TVariant& Value);
    void SetAsString(const std::string& Value) { SetValue(TVariant(Value)); }

private:
    TADOQuery* FDataSet;
    int FIndex;
    std::string FFieldName;
};
