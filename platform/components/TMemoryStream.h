#pragma once
#include <string>
#include <vector>

#include "components/TStream.h"

class TMemoryStream : public TStream {
    DECLARE_CLASS(TMemoryStream, TStream)
public:
    int64_t Read(void* buffer, int64_t count) override;
    int64_t Write(const void* buffer, int64_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    void SetSize(int64_t size) override;

    const unsigned char* Memory() const { return FData.data(); }
    unsigned char* Memory() { return FData.data(); }
    void Clear();
    // The whole content of the other stream, or of the file; the position goes to 0.
    void LoadFromStream(TStream& source);
    void SaveToStream(TStream& dest);
    void LoadFromFile(const std::string& fileName);  // throws EStreamError
    void SaveToFile(const std::string& fileName);

private:
    std::vector<unsigned char> FData;
    int64_t FPosition = 0;
};
