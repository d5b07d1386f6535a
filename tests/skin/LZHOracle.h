#pragma once
// A deliberately plain LZHUF decoder for differential tests and benchmark comparison:
// a 16-bit bit buffer fed one byte per call, linear scans, no buffering. The program's
// decoder must produce exactly what this one produces, for any input.
#include <cstdint>
#include <cstring>
#include <vector>

class TLZHOracle {
public:
    static std::vector<uint8_t> Decode(const std::vector<uint8_t>& Stream)
    {
        TLZHOracle O(Stream);
        return O.Run();
    }

private:
    enum { N = 4096, F = 60, THRESHOLD = 2, N_CHAR = 256 - THRESHOLD + F, T = N_CHAR * 2 - 1, R = T - 1 };
    const std::vector<uint8_t>& In;
    size_t InPos = 0;
    uint16_t BitBuf = 0;
    uint8_t BitLen = 0;
    uint8_t TextBuf[N + F - 1];
    uint16_t Freq[T + 1];
    int16_t Prnt[T + N_CHAR];
    int16_t Son[T];
    uint8_t DCode[256], DLen[256];

    explicit TLZHOracle(const std::vector<uint8_t>& Stream) : In(Stream)
    {
        int I = 0;
        auto Fill = [&](int Count, int Code, int Len) {
            for (int K = 0; K < Count; ++K, ++I) {
                DCode[I] = uint8_t(Code);
                DLen[I] = uint8_t(Len);
            }
        };
        Fill(32, 0, 3);
        for (int C = 1; C <= 3; ++C) Fill(16, C, 4);
        for (int C = 4; C <= 11; ++C) Fill(8, C, 5);
        for (int C = 12; C <= 23; ++C) Fill(4, C, 6);
        for (int C = 24; C <= 47; ++C) Fill(2, C, 7);
        for (int C = 48; C <= 63; ++C) Fill(1, C, 8);
    }

    int ReadByte()
    {
        return InPos < In.size() ? In[InPos++] : 0;
    }

    int GetBit()
    {
        while (BitLen <= 8) {
            BitBuf |= uint16_t(ReadByte() << (8 - BitLen));
            BitLen += 8;
        }
        const int Bit = BitBuf >> 15;
        BitBuf = uint16_t(BitBuf << 1);
        --BitLen;
        return Bit;
    }

    int GetByte()
    {
        while (BitLen <= 8) {
            BitBuf |= uint16_t(ReadByte() << (8 - BitLen));
            BitLen += 8;
        }
        const int Byte = BitBuf >> 8;
        BitBuf = uint16_t(BitBuf << 8);
        BitLen -= 8;
        return Byte;
    }

    void StartHuff()
    {
        for (int I = 0; I < N_CHAR; ++I) {
            Freq[I] = 1;
            Son[I] = int16_t(I + T);
            Prnt[I + T] = int16_t(I);
        }
        for (int I = 0, J = N_CHAR; J <= R; I += 2, ++J) {
            Freq[J] = uint16_t(Freq[I] + Freq[I + 1]);
            Son[J] = int16_t(I);
            Prnt[I] = Prnt[I + 1] = int16_t(J);
        }
        Freq[T] = 0xFFFF;
        Prnt[R] = 0;
    }

    void Reconstruct()
    {
        int J = 0;
        for (int I = 0; I < T; ++I)
            if (Son[I] >= T) {
                Freq[J] = uint16_t((Freq[I] + 1) / 2);
                Son[J] = Son[I];
                ++J;
            }
        for (int I = 0, J2 = N_CHAR; J2 < T; I += 2, ++J2) {
            const unsigned Fq = Freq[I] + Freq[I + 1];
            int K = J2 - 1;
            while (Fq < Freq[K]) --K;
            ++K;
            for (int M = J2; M > K; --M) {
                Freq[M] = Freq[M - 1];
                Son[M] = Son[M - 1];
            }
            Freq[K] = uint16_t(Fq);
            Son[K] = int16_t(I);
        }
        for (int I = 0; I < T; ++I) {
            const int K = Son[I];
            if (K >= T) Prnt[K] = int16_t(I);
            else Prnt[K] = Prnt[K + 1] = int16_t(I);
        }
    }

    void Update(int Symbol)
    {
        if (Freq[R] == 0x8000) Reconstruct();
        int C = Prnt[Symbol + T];
        do {
            const unsigned K = ++Freq[C];
            if (K > Freq[C + 1]) {
                int L = C + 1;
                while (K > Freq[L + 1]) ++L;
                Freq[C] = Freq[L];
                Freq[L] = uint16_t(K);
                const int I = Son[C];
                Prnt[I] = int16_t(L);
                if (I < T) Prnt[I + 1] = int16_t(L);
                const int J = Son[L];
                Son[L] = int16_t(I);
                Prnt[J] = int16_t(C);
                if (J < T) Prnt[J + 1] = int16_t(C);
                Son[C] = int16_t(J);
                C = L;
            }
            C = Prnt[C];
        } while (C != 0);
    }

    int DecodeChar()
    {
        int C = Son[R];
        while (C < T) C = Son[C + GetBit()];
        C -= T;
        Update(C);
        return C;
    }

    int DecodePosition()
    {
        int I = GetByte();
        const int C = DCode[I] << 6;
        for (int J = DLen[I] - 2; J > 0; --J) I = uint16_t((I << 1) + GetBit());
        return C | (I & 0x3F);
    }

    std::vector<uint8_t> Run()
    {
        std::vector<uint8_t> Out;
        int32_t Size = 0;
        for (int I = 0; I < 4; ++I) Size = int32_t(uint32_t(Size) | uint32_t(ReadByte()) << (8 * I));
        if (In.size() < 4) return Out;
        StartHuff();
        std::memset(TextBuf, ' ', sizeof(TextBuf));
        int R2 = N - F;
        int64_t Count = 0;
        while (Count < Size) {
            const int C = DecodeChar();
            if (C < 256) {
                Out.push_back(uint8_t(C));
                TextBuf[R2] = uint8_t(C);
                R2 = (R2 + 1) & (N - 1);
                ++Count;
            } else {
                const int I = (R2 - DecodePosition() - 1) & (N - 1);
                const int J = C - 255 + THRESHOLD;
                for (int K = 0; K < J; ++K) {
                    const uint8_t B = TextBuf[(I + K) & (N - 1)];
                    Out.push_back(B);
                    TextBuf[R2] = B;
                    R2 = (R2 + 1) & (N - 1);
                    ++Count;
                }
            }
        }
        return Out;
    }
};
