// keel_walk.c, kept by hand
float keel_walk_verts[9]; /* three points */
int keel_walk_graph[8];
static const char* keel_note = "a // b /* c";
void keel_walk_init()
{
    keel_walk_verts[0] = 1.5; // keel_walk_verts[0] = 99;
    /* keel_walk_verts[3] = 7;
       keel_walk_graph[7] = (7)*256 + (7); */ keel_walk_verts[4] = 2;
    // walk_verts: x, y, z \
    keel_walk_verts[8] = 9;
    keel_walk_graph[0] = 1*256 + 2;
    keel_walk_graph[1] = 1*256+0; keel_walk_graph[2] = (2*256)+1;
    keel_walk_graph[3] = 517; keel_walk_graph[4] = (0)*256 + (1);
    keel_walk_graph[5] = 0x102 /* 1-2 */;
    keel_walk_graph[6] = -1;
    keel_walk_graph[7] = ((2))*256 + 0;
}
