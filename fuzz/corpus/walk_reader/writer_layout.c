int brig_walk_count;
float brig_walk_verts[9];
int brig_walk_types[3];
int brig_walk_graph[2];

void brig_walk_init()
{
        brig_walk_count = 3;

        brig_walk_verts[0] = 1.5;
        brig_walk_verts[1] = 0;
        brig_walk_verts[2] = -2.25;
        brig_walk_verts[3] = 3;
        brig_walk_verts[4] = 0.5;
        brig_walk_verts[5] = 4;
        brig_walk_verts[6] = 1E+15;
        brig_walk_verts[7] = -7.5E-07;
        brig_walk_verts[8] = 12;

        brig_walk_types[0] = 4;
        brig_walk_types[1] = 5;
        brig_walk_types[2] = 1;

        brig_walk_graph[0] = (0)*256 + (1);
        brig_walk_graph[1] = (1)*256 + (2);
}
