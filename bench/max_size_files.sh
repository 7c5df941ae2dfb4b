# Writes the largest sailorpoints file the tables hold, as a benchmark's input: 1000 points with
# six-decimal coordinates and 1000 links, CR LF line ends. Sourced by the bench scripts.
#   write_max_size_sailorpoints FILE
write_max_size_sailorpoints() {
    awk 'BEGIN {
        printf "\r\n[SIZE]\r\npoints = 1000\r\nlinks = 1000\r\n\r\n[POINT_DATA]\r\n"
        for (i = 0; i < 1000; i++)
            printf "point %d = %.6f,%.6f,%.6f,%d\r\n", i, i * 0.731 - 200.123457,
                   (i % 37) * 1.25 + 0.5, -i * 0.0371 + 3.141593, i % 11
        printf "\r\n[LINK_DATA]\r\n"
        for (i = 0; i < 1000; i++)
            printf "link %d = %d,%d\r\n", i, i, (i * 7 + 1) % 1000
    }' > "$1"
}
