int brig_walk_count;
float brig_walk_verts[24];
int brig_walk_types[8];
int brig_walk_graph[10];

void brig_walk_init()
{
        brig_walk_count = 8;

        brig_walk_verts[0] = -2;
        brig_walk_verts[1] = 2;
        brig_walk_verts[2] = 2;
        brig_walk_verts[3] = 2;
        brig_walk_verts[4] = 2;
        brig_walk_verts[5] = 2;
        brig_walk_verts[6] = -2;
        brig_walk_verts[7] = 2;
        brig_walk_verts[8] = 8;
        brig_walk_verts[9] = 2;
        brig_walk_verts[10] = 2;
        brig_walk_verts[11] = 8;
        brig_walk_verts[12] = -2;
        brig_walk_verts[13] = 2;
        brig_walk_verts[14] = 13;
        brig_walk_verts[15] = 2;
        brig_walk_verts[16] = 2.6;
        brig_walk_verts[17] = 13;
        brig_walk_verts[18] = -2;
        brig_walk_verts[19] = 3;
        brig_walk_verts[20] = 18;
        brig_walk_verts[21] = 2;
        brig_walk_verts[22] = 3;
        brig_walk_verts[23] = 18;

        brig_walk_types[0] = 1;
        brig_walk_types[1] = 1;
        brig_walk_types[2] = 1;
        brig_walk_types[3] = 1;
        brig_walk_types[4] = 1;
        brig_walk_types[5] = 1;
        brig_walk_types[6] = 7;
        brig_walk_types[7] = 7;

        brig_walk_graph[0] = (0)*256 + (1);
        brig_walk_graph[1] = (0)*256 + (2);
        brig_walk_graph[2] = (1)*256 + (3);
        brig_walk_graph[3] = (2)*256 + (3);
        brig_walk_graph[4] = (2)*256 + (4);
        brig_walk_graph[5] = (3)*256 + (5);
        brig_walk_graph[6] = (4)*256 + (5);
        brig_walk_graph[7] = (4)*256 + (6);
        brig_walk_graph[8] = (5)*256 + (7);
        brig_walk_graph[9] = (6)*256 + (7);
}
