#pragma once
// Writers that play a card going wrong: filling up after some pieces, or keeping other bytes
// than it was given while reporting success.
#include "platform/File.h"
#include "device/CardFileWriter.h"

// Writes `pieces` pieces whole, then half of the next one, and reports the short write.
class FillingCardWriter : public CardFileWriter {
public:
    explicit FillingCardWriter(int pieces) : pieces_(pieces) {}

protected:
    bool put(File& file, const uint8_t* data, size_t size) override
    {
        if (pieces_-- > 0) {
            return file.write(data, size);
        }
        file.write(data, size / 2);
        return false;
    }

private:
    int pieces_;
};

// Stores the last piece with one bit changed and says all went well.
class GarblingCardWriter : public CardFileWriter {
public:
    explicit GarblingCardWriter(size_t total_bytes) : left_(total_bytes) {}

protected:
    bool put(File& file, const uint8_t* data, size_t size) override
    {
        left_ -= size;
        if (left_ != 0) {
            return file.write(data, size);
        }
        std::vector<uint8_t> piece(data, data + size);
        piece[2] ^= 0x01;
        return file.write(piece.data(), piece.size());
    }

private:
    size_t left_;
};
